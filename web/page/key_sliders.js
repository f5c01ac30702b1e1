// The controls panel: stiffness, time step, turn and camera distance as
// sliders whose every notch is one press of the setting's key (- and =, [
// and ], 4 and 3, 6 and 5), so that a slider writes the lines typing writes
// and the link to this moment carries the same keys; and play and one-step
// buttons, which press a and s. Each slider shows the value as the program
// holds it, float drift and all: ten notches down from 0.5 show -3.65078e-08.
import {foldingPanel} from './folding_panel.js';
import {pressKey} from './keys.js';
import {isRunning, onLiveFrame} from './program.js';

const $ = (id) => document.getElementById(id);
const panel = foldingPanel($('controls-panel'), $('controls-toggle'),
                           {open: 'show', fold: 'hide', what: 'the controls'});
export const hideControls = panel.hide;

// A slider's reach, in notches either side of where it started.
const NOTCHES = {'stiffness': 20, 'time step': 10, 'turn': 36, 'camera distance': 12};
const sliders = [];
const text = (index) => Module.UTF8ToString(Module._vantrelleKeySettingText(index));

function show(slider) {
  const value = Module._vantrelleKeySettingValue(slider.index);
  slider.input.value = value;
  const shown = text(slider.index);
  slider.output.textContent = shown;
  slider.input.setAttribute('aria-valuetext', slider.unit ? `${shown} ${slider.unit}` : shown);
}

// Moved, a slider presses its key once per notch between the program's
// value and the slider's, and then shows what the program holds.
function pressTowards(slider) {
  const increment = Module._vantrelleKeySettingIncrement(slider.index);
  const notches = Math.round((slider.input.valueAsNumber - Module._vantrelleKeySettingValue(slider.index)) /
                             increment);
  const key = String.fromCharCode(Module._vantrelleKeySettingKey(slider.index, notches > 0 ? 1 : 0));
  for (let n = 0; n < Math.abs(notches); ++n) pressKey(key);
  show(slider);
}

// Built once the program has loaded, from its own table.
export function setUpKeySliders() {
  const form = $('key-sliders');
  const buttons = $('key-slider-buttons');
  for (let index = 0; index < Module._vantrelleKeySettingCount(); ++index) {
    const name = Module.UTF8ToString(Module._vantrelleKeySettingName(index));
    const increment = Module._vantrelleKeySettingIncrement(index);
    const start = Module._vantrelleKeySettingValue(index);
    const reach = (NOTCHES[name] ?? 10) * increment;
    const id = `slider-${name.replace(' ', '-')}`;
    const label = document.createElement('label');
    label.htmlFor = id;
    label.textContent = name;
    const input = document.createElement('input');
    Object.assign(input, {type: 'range', id, min: start - reach, max: start + reach, step: increment, value: start});
    const output = document.createElement('output');
    output.htmlFor = id;
    form.insertBefore(label, buttons);
    form.insertBefore(input, buttons);
    form.insertBefore(output, buttons);
    const slider = {index, input, output, unit: Module.UTF8ToString(Module._vantrelleKeySettingUnit(index))};
    input.addEventListener('input', () => pressTowards(slider));
    sliders.push(slider);
    show(slider);
  }
  $('play').addEventListener('click', () => pressKey('a'));
  $('one-step').addEventListener('click', () => pressKey('s'));
  let shownAt = 0;
  onLiveFrame(() => {
    if (form.closest('.collapsed') || performance.now() - shownAt < 200) return;
    shownAt = performance.now();
    for (const slider of sliders) if (document.activeElement !== slider.input) show(slider);
  });
  $('controls-toggle').addEventListener('click', () => {
    if (isRunning()) sliders.forEach(show);
  });
}

export function foldControls() {
  panel.fold(true);
}
