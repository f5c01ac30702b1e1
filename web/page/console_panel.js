// The console panel: the program's lines as they come, the latest kept.
// Every line also goes to the browser's console, which keeps them all.
import {announceLine} from './announcer.js';
import {foldingPanel} from './folding_panel.js';

const CONSOLE_LINES_KEPT = 500;

const lines = document.getElementById('console');
// Folded, the panel keeps only its header, with the button that opens it.
const panel = foldingPanel(document.getElementById('console-panel'),
                           document.getElementById('console-toggle'),
                           {open: 'show', fold: 'hide', what: 'the console'});
export const foldConsole = panel.fold;
export const hideConsole = panel.hide;

// Lines reach the panel in one batch per task (a replay's slice, a key),
// as one text: one node to lay out however many lines the program wrote.
const pending = [];
let shown = [];
export function consoleLine(text) {
  console.log(text);
  announceLine(text);
  if (pending.push(text) === 1) queueMicrotask(showPendingLines);
}

function showPendingLines() {
  shown = shown.concat(pending.splice(0)).slice(-CONSOLE_LINES_KEPT);
  lines.textContent = shown.join('\n');
  lines.scrollTop = lines.scrollHeight;
}
