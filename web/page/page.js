// The page around the program: it fetches the textures into the program's
// working directory, runs main, plays the link's key script a slice per
// animation frame, then calls the program once per animation frame and hands
// it the characters typed and the pointer. Every console line of the program
// goes to the browser's console as one console.log call and to the console
// panel; everything else is a warning.
'use strict';

(function () {
  // The commands of the key table, for the key bar.
  const COMMANDS = [
    ['a', 'animate'], ['s', 'one step'],
    ['-', 'stiffness −'], ['=', 'stiffness +'],
    ['[', 'time step −'], [']', 'time step +'],
    ['3', 'turn +5°'], ['4', 'turn −5°'],
    ['5', 'camera away'], ['6', 'camera nearer'],
    ['1', 'pin corners'], ['2', 'release pins'], ['r', 'lay flat'],
    ['f', 'quads'], ['p', 'particles'], ['n', 'normals'], ['t', 'next texture'],
    ['q', 'quit'],
  ];
  // The panel keeps the latest lines; the browser's console has them all.
  const CONSOLE_LINES_KEPT = 500;
  // Of each animation frame, the link's replay takes this long at most, so
  // that the page answers a key or a click within a frame or two.
  const REPLAY_SLICE_MS = 10;

  const canvas = document.getElementById('canvas');
  const consoleText = document.getElementById('console');
  const status = document.getElementById('status');

  let running = false;  // main has reached the loop and has not ended
  let ended = false;
  let frameRequest = 0;

  let hintShown = false;
  function showStatus(text, notice) {
    status.textContent = text;
    status.classList.toggle('notice', Boolean(notice));
    hintShown = false;
  }
  // What to press first; it goes at the first key or touch.
  function showHint(text) {
    showStatus(text, true);
    hintShown = true;
  }
  function dropHint() {
    if (hintShown) showStatus('');
  }

  // Lines reach the panel in one batch per task (a replay's slice, a key):
  // one layout however many lines the program wrote.
  const pendingLines = [];
  function consoleLine(text) {
    console.log(text);
    if (pendingLines.push(text) === 1) queueMicrotask(showPendingLines);
  }
  function showPendingLines() {
    const lines = pendingLines.splice(0).slice(-CONSOLE_LINES_KEPT);
    const excess = consoleText.childElementCount + lines.length - CONSOLE_LINES_KEPT;
    for (let n = 0; n < excess; ++n) consoleText.firstElementChild.remove();
    const batch = document.createDocumentFragment();
    for (const text of lines) {
      const line = document.createElement('div');
      line.textContent = text;
      batch.appendChild(line);
    }
    consoleText.appendChild(batch);
    consoleText.scrollTop = consoleText.scrollHeight;
  }

  // exit() in the program, from start-up or from a key.
  function programEnded(exitStatus) {
    ended = true;
    running = false;
    endReplay();
    document.getElementById('moment-link').disabled = true;  // an ended page is no state to link
    cancelAnimationFrame(frameRequest);
    showStatus(exitStatus === 0
      ? 'exit status 0\nThe program has ended. Reload the page to start it again.'
      : 'exit status ' + exitStatus + '\nThe program has ended; the console says why. ' +
        'Reload the page to start it again.');
  }

  // A call into the program; exit() unwinds it with an exception, which
  // ends here once the page has heard of the exit.
  function callProgram(call) {
    try {
      return call();
    } catch (error) {
      if (!ended) throw error;
    }
    return undefined;
  }

  // The canvas's pixels follow its size on the screen.
  function fitCanvas() {
    const ratio = window.devicePixelRatio || 1;
    const width = Math.max(1, Math.round(canvas.clientWidth * ratio));
    const height = Math.max(1, Math.round(canvas.clientHeight * ratio));
    if (canvas.width === width && canvas.height === height) return false;
    canvas.width = width;
    canvas.height = height;
    return true;
  }

  // The link's script, while it plays: a slice per animation frame, with its
  // progress over the canvas and a button that goes on live from where it is.
  const replayPanel = document.getElementById('replay');
  let replaying = false;
  let replayStarted = 0;
  let inputRefusedSaid = false;
  function startReplay() {
    performance.mark('vantrelle-replay-start');
    replaying = true;
    replayStarted = performance.now();
    inputRefusedSaid = false;
    replayPanel.hidden = false;
    showReplayProgress();
  }
  function endReplay() {
    if (replaying) performance.mark('vantrelle-replay-end');
    replaying = false;
    replayPanel.hidden = true;
  }
  function showReplayProgress() {
    const stepsDone = Module._vantrelleReplayStepsDone();
    const stepsTotal = Module._vantrelleReplayStepsTotal();
    const tokensDone = Module._vantrelleReplayTokensDone();
    const tokensTotal = Module._vantrelleReplayTokensTotal();
    const progress = stepsTotal > 0 ? stepsDone / stepsTotal : tokensDone / Math.max(1, tokensTotal);
    document.getElementById('replay-progress').value = progress;
    const elapsed = (performance.now() - replayStarted) / 1000;
    let text = stepsTotal > 0 ? `Playing the link: step ${stepsDone.toLocaleString('en')} of ` +
      stepsTotal.toLocaleString('en') : `Playing the link: ${tokensDone} of ${tokensTotal} keys`;
    if (progress > 0 && elapsed > 0.5) text += `, about ${Math.ceil(elapsed / progress - elapsed)} s left`;
    document.getElementById('replay-text').textContent = text;
  }
  // Keys, buttons and the pointer wait for no replay: they are dropped, and
  // the page says so once.
  function refuseDuringReplay() {
    if (inputRefusedSaid) return;
    inputRefusedSaid = true;
    showStatus('The link is still playing: keys and clicks are ignored until it ends, ' +
               'or until "go on live" stops it where it is.', true);
  }

  let firstFrameDrawn = false;
  function frame() {
    frameRequest = 0;
    if (!running) return;
    if (fitCanvas()) callProgram(() => Module._vantrelleReshape(canvas.width, canvas.height));
    if (replaying) {
      const more = callProgram(() => Module._vantrellePlayFor(REPLAY_SLICE_MS));
      if (running) showReplayProgress();
      if (!more) endReplay();
      if (running) frameRequest = requestAnimationFrame(frame);
      return;
    }
    callProgram(() => Module._vantrelleLiveFrame());
    // For the browser's performance tools: when the first picture was drawn.
    if (!firstFrameDrawn) performance.mark('vantrelle-first-frame');
    firstFrameDrawn = true;
    if (running) frameRequest = requestAnimationFrame(frame);
  }

  function pressKey(character) {
    if (!running) return;  // keys before start-up has finished are dropped
    if (replaying) return refuseDuringReplay();
    dropHint();
    callProgram(() => Module._vantrelleLiveKey(character.charCodeAt(0)));
  }

  // The character the key types, Shift included; keys that type none, and
  // the browser's own shortcuts, are not the program's.
  window.addEventListener('keydown', (event) => {
    if (event.ctrlKey || event.metaKey || event.altKey || event.isComposing) return;
    if (event.key.length !== 1 || event.key.charCodeAt(0) > 255) return;
    if (event.target instanceof HTMLButtonElement && (event.key === ' ' || event.key === 'Enter'))
      return;
    event.preventDefault();
    pressKey(event.key);
  });

  // The pointer on the canvas is the program's mouse, as GLUT's left button:
  // a mouse or one finger pressed on the sheet takes hold of it, moving drags
  // it, and letting go, leaving the canvas or a cancel from the system lets
  // go of it. Points are canvas pixels from the top left as the canvas is
  // seen, whichever way its rows are stored.
  let heldPointer = null;
  const GLUT_LEFT_BUTTON = 0, GLUT_DOWN = 0, GLUT_UP = 1;
  function canvasPoint(event) {
    const box = canvas.getBoundingClientRect();
    return [Math.floor((event.clientX - box.left) * canvas.width / box.width),
      Math.floor((event.clientY - box.top) * canvas.height / box.height)];
  }
  canvas.addEventListener('pointerdown', (event) => {
    if (!running || heldPointer !== null || event.button !== 0) return;
    event.preventDefault();
    if (replaying) return refuseDuringReplay();
    dropHint();
    heldPointer = event.pointerId;
    const [x, y] = canvasPoint(event);
    callProgram(() => Module._vantrelleLiveMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y));
  });
  canvas.addEventListener('pointermove', (event) => {
    if (!running || event.pointerId !== heldPointer) return;
    const [x, y] = canvasPoint(event);
    callProgram(() => Module._vantrelleLiveMotion(x, y));
  });
  for (const end of ['pointerup', 'pointercancel', 'pointerleave']) {
    canvas.addEventListener(end, (event) => {
      if (event.pointerId !== heldPointer) return;
      heldPointer = null;
      const [x, y] = canvasPoint(event);
      if (running) callProgram(() => Module._vantrelleLiveMouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y));
    });
  }

  function buildKeyBar() {
    const keys = document.getElementById('keys');
    for (const [key, label] of COMMANDS) {
      const button = document.createElement('button');
      button.type = 'button';
      button.dataset.key = key;
      button.innerHTML = '<kbd></kbd>';
      button.firstChild.textContent = key;
      button.append(label);
      button.addEventListener('click', () => {
        button.blur();
        pressKey(key);
      });
      keys.appendChild(button);
    }
    const bar = document.getElementById('key-bar');
    const toggle = document.getElementById('key-bar-toggle');
    toggle.addEventListener('click', () => {
      toggle.textContent = bar.classList.toggle('collapsed') ? 'show keys' : 'hide keys';
    });
    const panel = document.getElementById('console-panel');
    const consoleToggle = document.getElementById('console-toggle');
    consoleToggle.addEventListener('click', () => {
      consoleToggle.textContent = panel.classList.toggle('collapsed') ? 'show' : 'hide';
    });
    document.getElementById('replay-stop').addEventListener('click', () => {
      if (!replaying) return;
      callProgram(() => Module._vantrelleStopReplay());
      endReplay();
      showStatus('');
    });
    document.getElementById('moment-link').addEventListener('click', linkToThisMoment);
    const fullscreen = document.getElementById('fullscreen');
    fullscreen.addEventListener('click', () => {
      if (document.fullscreenElement) document.exitFullscreen();
      else document.documentElement.requestFullscreen().catch((error) => console.warn(error));
    });
  }

  // A lost context comes back with nothing in it: the program's GL layer
  // builds its objects and uploads the textures again; the cloth goes on.
  canvas.addEventListener('webglcontextlost', (event) => {
    event.preventDefault();
    console.warn('vantrelle: the WebGL context was lost; waiting for it to come back');
  });
  canvas.addEventListener('webglcontextrestored', () => {
    console.warn('vantrelle: the WebGL context is back');
    if (running) callProgram(() => Module._vantrelleContextRestored());
  });

  // The single file carries the program and the textures gzip-compressed,
  // in base64.
  const INSIDE = window.VANTRELLE_INSIDE || null;
  const EMBEDDED_TEXTURES = INSIDE && INSIDE.textures;
  async function inflate(base64) {
    const packed = Uint8Array.from(atob(base64), (character) => character.charCodeAt(0));
    const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  async function fetchTextures() {
    const count = Module._vantrelleTextureFileCount();
    const names = [];
    for (let slot = 0; slot < count; ++slot)
      names.push(Module.UTF8ToString(Module._vantrelleTextureFileName(slot)));
    // A file that does not arrive is not written: the program's loader
    // then reports it as it would on the desktop.
    await Promise.all(names.map(async (name) => {
      try {
        if (EMBEDDED_TEXTURES) {
          if (name in EMBEDDED_TEXTURES) Module.FS.writeFile(name, await inflate(EMBEDDED_TEXTURES[name]));
          return;
        }
        const response = await fetch('textures/' + name, {cache: 'no-cache'});
        if (!response.ok) {
          console.warn('vantrelle: textures/' + name + ': HTTP ' + response.status);
          return;
        }
        Module.FS.writeFile(name, new Uint8Array(await response.arrayBuffer()));
      } catch (error) {
        console.warn('vantrelle: textures/' + name + ': ' + error);
      }
    }));
  }

  // The address that brings a fresh page to this state: the link's script as
  // far as it played, then every key, step and drag since. It goes into the
  // address bar (without reloading) and, where the browser lets the page, to
  // the clipboard.
  async function linkToThisMoment() {
    if (!running) return;
    const script = Module.UTF8ToString(Module._vantrelleSessionScript());
    if (script.startsWith('!')) {
      showStatus('This moment cannot be a link: ' + script.slice(1), true);
      return;
    }
    const address = location.href.split('#')[0] + (script ? '#' + encodeURIComponent(script) : '');
    history.replaceState(null, '', address);
    try {
      await navigator.clipboard.writeText(address);
      showStatus('The link to this moment is in the address bar and on the clipboard.', true);
    } catch (error) {
      showStatus('The link to this moment is in the address bar: copy it from there ' +
                 '(this browser keeps the clipboard from the page).', true);
    }
  }

  function linkScript() {
    const fragment = location.hash.slice(1);
    try {
      return decodeURIComponent(fragment);
    } catch (error) {
      return null;
    }
  }

  async function start() {
    await fetchTextures();
    showStatus('');
    fitCanvas();
    callProgram(() => Module.callMain([]));
    if (ended) return;
    running = true;
    callProgram(() => Module._vantrelleReshape(canvas.width, canvas.height));
    const script = linkScript();
    let refusal = script === null ? 'the link\'s script is not valid percent-encoding' : '';
    if (script) {
      refusal = callProgram(() => Module.ccall('vantrelleLoadScript', 'string', ['string'], [script]));
      if (!refusal && Module._vantrelleReplayTokensTotal() > 0) startReplay();
    }
    if (ended) return;
    if (refusal) {
      console.warn('vantrelle: link script refused: ' + refusal);
      showStatus('Link script refused: ' + refusal, true);
    } else if (!replaying && !script) {
      showHint('Press a (or the animate button) to let the sheet fall; then drag it with the ' +
               'mouse or a finger.');
    }
    frameRequest = requestAnimationFrame(frame);
  }

  // A new link typed into the same tab is a new state: start again from it.
  window.addEventListener('hashchange', () => location.reload());

  // Where the program cannot run, the message alone: no buttons that do nothing.
  function cannotRun(message) {
    document.getElementById('key-bar').hidden = true;
    document.getElementById('console-panel').hidden = true;
    showStatus(message);
  }

  buildKeyBar();
  // On a small screen the sheet comes first: the keys and the console start
  // folded away, one tap from open (finger-sized keys take much of a screen).
  if (matchMedia('(max-width: 500px), (max-height: 420px), (pointer: coarse) and (max-height: 600px)').matches) {
    document.getElementById('key-bar-toggle').click();
    document.getElementById('console-toggle').click();
  }
  if (location.protocol === 'file:' && !EMBEDDED_TEXTURES) {
    cannotRun('This page must come from a web server: browsers do not let a page opened from ' +
      'a disk load the program.\nServe this folder (make run-web, or python3 -m http.server ' +
      'in it) and open the address it prints, or open vantrelle.html, the single file that ' +
      'runs from a disk.');
    return;
  }
  if (EMBEDDED_TEXTURES && typeof DecompressionStream === 'undefined') {
    cannotRun('This browser cannot unpack the textures inside this file (it has no ' +
      'DecompressionStream). Open it in a current Chromium, Firefox or Safari, or use the site.');
    return;
  }
  if (!document.createElement('canvas').getContext('webgl2')) {
    cannotRun('Vantrelle needs WebGL 2, which this browser does not offer.\n' +
      'Try a current Chromium, Firefox or Safari, with hardware acceleration on.');
    return;
  }

  window.Module = {
    canvas: canvas,
    print: consoleLine,
    printErr: (text) => console.warn(text),
    quit: (exitStatus, toThrow) => {
      programEnded(exitStatus);
      throw toThrow;
    },
    onAbort: (what) => {
      running = false;
      showStatus('The program stopped: ' + what);
    },
    onRuntimeInitialized: () => {
      start().catch((error) => {
        console.warn(error);
        if (!ended) showStatus('The program could not start: ' + error);
      });
    },
  };
  const program = document.createElement('script');
  if (INSIDE) {
    // The program's WebAssembly is handed over, not fetched.
    Promise.all([inflate(INSIDE.wasm), inflate(INSIDE.program)]).then(([wasm, script]) => {
      window.Module.wasmBinary = wasm;
      program.textContent = new TextDecoder().decode(script);
      document.body.appendChild(program);
    }).catch((error) => showStatus('The program inside this file could not be unpacked: ' + error));
  } else {
    program.src = 'vantrelle.js';
    program.onerror = () => showStatus('vantrelle.js could not be loaded.');
    document.body.appendChild(program);
  }
})();
