// The lab panel: the wind, the ball, tearing, the relaxation passes, the
// damping and gravity, and the cut tool. Each change is one script token
// ("passes:10"), played with its console line and noted in the session, so
// that the link to this moment carries it. The controls show the values in
// force, read back from the program whenever the panel opens, after each
// change, and once a second while it is open (a link may set them too).
import {foldingPanel} from './folding_panel.js';
import {takeInput} from './live_input.js';
import {isRunning, onLiveFrame} from './program.js';

const panel = foldingPanel(document.getElementById('lab-panel'), document.getElementById('lab-toggle'),
                           {open: 'show', fold: 'hide', what: 'the lab'});
export const foldLab = panel.fold;
export const hideLab = panel.hide;

const $ = (id) => document.getElementById(id);
const form = $('lab');
const controls = {
  wind: $('lab-wind'), windDirection: $('lab-wind-direction'),
  ball: $('lab-ball'), ballRadius: $('lab-ball-radius'),
  tear: $('lab-tear'), tearRatio: $('lab-tear-ratio'),
  passes: $('lab-passes'), damping: $('lab-damping'), gravity: $('lab-gravity'),
  cutTool: $('cut-tool'),
};

// The program's values: the order vantrelleLabValue numbers them in.
const VALUES = ['windX', 'windY', 'windZ', 'ball', 'ballX', 'ballY', 'ballZ', 'ballRadius', 'tear',
                'passes', 'damping', 'gravityX', 'gravityY', 'gravityZ', 'broken'];
function inForce() {
  const values = {};
  VALUES.forEach((name, which) => (values[name] = Module._vantrelleLabValue(which)));
  return values;
}

// Under the hanging sheet, where releasing the pins drops it onto the ball.
const BALL_CENTRE = '45,30,5';
// The wind's directions: a unit vector each.
const DIRECTIONS = {'+z': [0, 0, 1], '-z': [0, 0, -1], '+x': [1, 0, 0], '-x': [-1, 0, 0]};

// A number as a token writes it: the shortest text that reads back the same.
const number = (value) => String(value);

function send(token) {
  takeInput(() => Module.ccall('vantrelleLiveLabToken', 'number', ['string'], [token]));
  showValues();
}

function windToken() {
  const strength = Number(controls.wind.value);
  const direction = DIRECTIONS[controls.windDirection.value];
  return 'wind:' + direction.map((d) => number(d * strength + 0)).join(',');
}

// Each control's text: its value with its unit, for the eye and the ear.
function say(input, text) {
  input.setAttribute('aria-valuetext', text);
  const output = form.querySelector(`output[for="${input.id}"]`);
  if (output) output.textContent = text;
}

function showValues() {
  if (!isRunning()) return;
  const v = inForce();
  const wind = Math.hypot(v.windX, v.windY, v.windZ);
  controls.wind.value = wind;
  for (const [name, d] of Object.entries(DIRECTIONS))
    if (wind > 0 && d[0] * wind === v.windX && d[1] * wind === v.windY && d[2] * wind === v.windZ)
      controls.windDirection.value = name;
  say(controls.wind, wind > 0 ? `${number(wind)} units per step² towards ${controls.windDirection.value}` : 'none');
  controls.ball.checked = v.ball === 1;
  if (v.ball === 1) controls.ballRadius.value = v.ballRadius;
  say(controls.ballRadius, `radius ${controls.ballRadius.value} units`);
  controls.tear.checked = v.tear > 0;
  if (v.tear > 0) controls.tearRatio.value = v.tear;
  say(controls.tearRatio, `at ${controls.tearRatio.value} times a spring's length` +
      (v.broken > 0 ? `, ${v.broken} broken` : ''));
  controls.passes.value = v.passes;
  say(controls.passes, `${v.passes} per step`);
  controls.damping.value = v.damping;
  say(controls.damping, number(v.damping));
  controls.gravity.value = v.gravityY;
  say(controls.gravity, `${number(v.gravityY)} units per step²`);
}

export function setUpLabPanel() {
  panel.fold(true);
  $('lab-toggle').addEventListener('click', showValues);
  controls.wind.addEventListener('change', () => send(windToken()));
  controls.windDirection.addEventListener('change', () => {
    if (Number(controls.wind.value) > 0) send(windToken());
  });
  // A ball in place keeps its centre; a new one goes under the sheet.
  const ballToken = () => {
    const v = inForce();
    const centre = v.ball === 1 ? [v.ballX, v.ballY, v.ballZ].map(number).join(',') : BALL_CENTRE;
    return `ball:${centre},${controls.ballRadius.value}`;
  };
  controls.ball.addEventListener('change', () => send(controls.ball.checked ? ballToken() : 'ball:off'));
  controls.ballRadius.addEventListener('change', () => {
    if (controls.ball.checked) send(ballToken());
  });
  const tearToken = () => (controls.tear.checked ? `tear:${controls.tearRatio.value}` : 'tear:off');
  controls.tear.addEventListener('change', () => send(tearToken()));
  controls.tearRatio.addEventListener('change', () => {
    if (controls.tear.checked) send(tearToken());
  });
  controls.passes.addEventListener('change', () => send(`passes:${controls.passes.value}`));
  controls.damping.addEventListener('change', () => send(`damping:${controls.damping.value}`));
  controls.gravity.addEventListener('change', () => {
    const v = inForce();
    send(`gravity:${number(v.gravityX)},${controls.gravity.value},${number(v.gravityZ)}`);
  });
  controls.cutTool.addEventListener('click', () => {
    const on = controls.cutTool.getAttribute('aria-pressed') !== 'true';
    controls.cutTool.setAttribute('aria-pressed', String(on));
    Module._vantrelleSetCutTool(on ? 1 : 0);
  });
  let shownAt = 0;
  onLiveFrame(() => {
    if (form.closest('.collapsed') || performance.now() - shownAt < 1000) return;
    shownAt = performance.now();
    showValues();
  });
}
