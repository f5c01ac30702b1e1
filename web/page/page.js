// The page around the program: it checks what the browser can do, fetches
// the textures into the program's working directory, runs main, plays the
// link's script, then runs the program once per animation frame and hands it
// the keys and the pointer. Each concern is a module of its own; this file
// wires them together.
import {hideConsole} from './console_panel.js';
import {setUpContextLoss} from './context_loss.js';
import {hideKeyBar} from './key_bar.js';
import {setUpKeyboardHand} from './keyboard_hand.js';
import {foldControls, hideControls, setUpKeySliders} from './key_sliders.js';
import {setUpKeyBar, setUpKeys} from './keys.js';
import {hideLab, setUpLabPanel} from './lab_panel.js';
import {isReplaying, linkScript, playLink} from './link_replay.js';
import './moment_link.js';
import {setUpPageControls, startsFolded} from './page_controls.js';
import {setUpPointer} from './pointer.js';
import {hideReadouts, setUpReadoutPanel} from './readout_panel.js';
import {isRunning, loadProgram, runMain, startFrames} from './program.js';
import {EMBEDDED_TEXTURES} from './single_file.js';
import {showHint, showStatus} from './status.js';
import {describeScene} from './scene_description.js';
import {fetchTextures} from './textures.js';

// Why the program cannot run in this browser, or null.
function cannotRunBecause() {
  if (location.protocol === 'file:' && !EMBEDDED_TEXTURES) {
    return 'This page must come from a web server: browsers do not let a page opened from ' +
      'a disk load the program.\nServe this folder (make run-web, or python3 -m http.server ' +
      'in it) and open the address it prints, or open vantrelle.html, the single file that ' +
      'runs from a disk.';
  }
  if (EMBEDDED_TEXTURES && typeof DecompressionStream === 'undefined') {
    return 'This browser cannot unpack the textures inside this file (it has no ' +
      'DecompressionStream). Open it in a current Chromium, Firefox or Safari, or use the site.';
  }
  if (!document.createElement('canvas').getContext('webgl2')) {
    return 'Vantrelle needs WebGL 2, which this browser does not offer.\n' +
      'Try a current Chromium, Firefox or Safari, with hardware acceleration on.';
  }
  return null;
}

async function start() {
  setUpKeyBar();
  await fetchTextures();
  showStatus('');
  if (!runMain()) return;
  // Centred on the start-up values, which main sets.
  setUpKeySliders();
  const script = linkScript();
  let refusal = script === null ? 'the link\'s script is not valid percent-encoding' : '';
  if (script) refusal = playLink(script);
  if (!isRunning()) return;
  // The first-load hint survives a refused link: the page starts as usual.
  // Where the keys start folded away it names the buttons to tap.
  const hint = startsFolded()
    ? 'Tap "show keys", then "animate", to let the sheet fall; then drag it with a finger.'
    : 'Press a (or the animate button) to let the sheet fall; then drag it with the mouse or a finger.';
  if (refusal) {
    console.warn('vantrelle: link script refused: ' + refusal);
    showHint('Link script refused: ' + refusal + '\n' + hint);
  } else if (!isReplaying() && !script) {
    showHint(hint);
  }
  describeScene();
  startFrames();
}

setUpKeys();
setUpPointer();
setUpKeyboardHand();
setUpContextLoss();
setUpPageControls();
setUpLabPanel();
setUpReadoutPanel();
foldControls();
const reason = cannotRunBecause();
if (reason) {
  // The message alone: no buttons that do nothing.
  hideKeyBar();
  hideConsole();
  hideLab();
  hideReadouts();
  hideControls();
  showStatus(reason);
} else {
  loadProgram(start);
}
