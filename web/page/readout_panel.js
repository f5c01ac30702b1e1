// The sheet in numbers: the step count, the energies and their sum, the
// largest and the mean stretch of its springs, a plot of them over the last
// few hundred steps, and the downloads: every step's numbers as CSV (the
// recorder's --series) and the sheet as OBJ (its --obj). The program keeps
// the numbers of every step; the panel shows them at most ten times a
// second, never per step. And the stretch colours: the sheet's quads
// coloured by how far their springs are stretched ("stretch:on", a script
// token, so that the link to this moment carries it), with their legend.
import {foldingPanel} from './folding_panel.js';
import {takeInput} from './live_input.js';
import {isRunning, onLiveFrame} from './program.js';

const $ = (id) => document.getElementById(id);
const panel = foldingPanel($('readout-panel'), $('readout-toggle'),
                           {open: 'show', fold: 'hide', what: 'the numbers'});
export const foldReadouts = panel.fold;
export const hideReadouts = panel.hide;

const SHOWN_EVERY_MS = 100;
const PLOTTED_STEPS = 300;
// What the program's series holds, by its numbering, and how each is plotted.
const KINETIC = 0, POTENTIAL = 1, MAX_STRETCH = 2, MEAN_STRETCH = 3;
const PLOTTED = [
  {name: 'kinetic energy', value: (step) => series(step, KINETIC), colour: '#ffd84d'},
  {name: 'potential energy', value: (step) => series(step, POTENTIAL), colour: '#7fc8ff'},
  {name: 'their sum', value: (step) => series(step, KINETIC) + series(step, POTENTIAL), colour: '#ffffff'},
  {name: 'largest stretch', value: (step) => series(step, MAX_STRETCH), colour: '#ff8f6b'},
  {name: 'mean stretch', value: (step) => series(step, MEAN_STRETCH), colour: '#b8f28a'},
];

const series = (step, which) => Module._vantrelleSeriesValue(step, which);
const plot = $('plot');

// Four significant digits for the eye; the CSV keeps every digit.
const shown = (value) => (Number.isFinite(value) ? Number(value.toPrecision(4)).toString() : '—');
const percent = (stretch) => (Number.isFinite(stretch) ? `${Number((100 * stretch).toPrecision(3))}%` : '—');

let shownAt = 0;
let shownLength = -1;
// What showing the numbers and the plot has cost, for make bench to read:
// the milliseconds of the last thousand updates.
const cost = {updates: 0, milliseconds: []};
window.vantrelleReadoutCost = cost;

// The layer in force, as the program has it (a link may have set it).
const STRETCH_VALUE = 15;
function showStretchColours() {
  if (!isRunning()) return;
  if ($('stretch-legend').childElementCount === 0) fillStretchLegend();
  const on = Module._vantrelleLabValue(STRETCH_VALUE) === 1;
  $('stretch-colours').checked = on;
  $('stretch-legend').hidden = !on;
}

function fillStretchLegend() {
  const legend = $('stretch-legend');
  for (let band = 0; band < Module._vantrelleStretchBandCount(); ++band) {
    const item = document.createElement('li');
    const colour = Module._vantrelleStretchBandColour(band).toString(16).padStart(6, '0');
    item.style.setProperty('--colour', `#${colour}`);
    item.textContent = Module.UTF8ToString(Module._vantrelleStretchBandLabel(band));
    legend.appendChild(item);
  }
}

function showNumbers() {
  showStretchColours();
  const steps = Module._vantrelleSeriesLength();
  $('readout-steps').textContent = steps.toLocaleString('en');
  if (steps === 0) return;
  const kinetic = series(steps, KINETIC), potential = series(steps, POTENTIAL);
  $('readout-kinetic').textContent = shown(kinetic);
  $('readout-potential').textContent = shown(potential);
  $('readout-total').textContent = shown(kinetic + potential);
  $('readout-max-stretch').textContent = percent(series(steps, MAX_STRETCH));
  $('readout-mean-stretch').textContent = percent(series(steps, MEAN_STRETCH));
  drawPlot(steps);
}

// The plotted values of the last steps, oldest first: [step, values]. A
// step's numbers never change, so each is read from the program once.
const recent = [];
function recentValues(steps) {
  const first = Math.max(1, steps - PLOTTED_STEPS + 1);
  while (recent.length && recent[0][0] < first) recent.shift();
  for (let step = recent.length ? recent.at(-1)[0] + 1 : first; step <= steps; ++step)
    recent.push([step, PLOTTED.map((quantity) => quantity.value(step))]);
  return recent;
}

// Each quantity over the last steps, scaled to its own range, so that each
// one's rise and fall shows whatever its size; the legend names the colours.
function drawPlot(steps) {
  const context = plot.getContext('2d');
  const {width, height} = plot;
  context.clearRect(0, 0, width, height);
  const values = recentValues(steps);
  const first = values[0][0];
  PLOTTED.forEach((quantity, which) => {
    let low = Infinity, high = -Infinity;
    for (const [, of] of values) {
      if (Number.isFinite(of[which])) {
        low = Math.min(low, of[which]);
        high = Math.max(high, of[which]);
      }
    }
    if (low > high) return;
    const span = high - low || 1;
    context.strokeStyle = quantity.colour;
    context.beginPath();
    for (const [step, of] of values) {
      const x = ((step - first) / (PLOTTED_STEPS - 1)) * (width - 1);
      const y = height - 2 - ((of[which] - low) / span) * (height - 4);
      if (step === first) context.moveTo(x, y);
      else context.lineTo(x, y);
    }
    context.stroke();
  });
  plot.setAttribute('aria-label', `The last ${steps - first + 1} steps of the energies and the stretch, ` +
                    'each scaled to its own range');
}

function download(name, type, text) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([text], {type}));
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

export function setUpReadoutPanel() {
  panel.fold(true);
  const legend = $('plot-legend');
  for (const quantity of PLOTTED) {
    const item = document.createElement('li');
    item.style.setProperty('--colour', quantity.colour);
    item.textContent = quantity.name;
    legend.appendChild(item);
  }
  $('readout-toggle').addEventListener('click', () => {
    if (isRunning()) showNumbers();
  });
  $('stretch-colours').addEventListener('change', (event) => {
    if (!isRunning()) return;
    const token = event.target.checked ? 'stretch:on' : 'stretch:off';
    takeInput(() => Module.ccall('vantrelleLiveLabToken', 'number', ['string'], [token]));
    showStretchColours();
  });
  $('download-series').addEventListener('click', () => {
    if (!isRunning()) return;
    download('vantrelle-series.csv', 'text/csv', Module.UTF8ToString(Module._vantrelleSeriesCsv()));
  });
  $('download-sheet').addEventListener('click', () => {
    if (!isRunning()) return;
    download('vantrelle-sheet.obj', 'model/obj', Module.UTF8ToString(Module._vantrelleSheetObj()));
  });
  onLiveFrame(() => {
    if ($('readout-panel').classList.contains('collapsed')) return;
    const length = Module._vantrelleSeriesLength();
    if (length === shownLength || performance.now() - shownAt < SHOWN_EVERY_MS) return;
    shownAt = performance.now();
    shownLength = length;
    showNumbers();
    const took = performance.now() - shownAt;
    cost.updates += 1;
    if (cost.milliseconds.push(took) > 1000) cost.milliseconds.shift();
  });
}
