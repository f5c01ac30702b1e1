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

// Lines reach the panel in one batch per task (a replay's slice, a key):
// one layout however many lines the program wrote.
const pending = [];
export function consoleLine(text) {
  console.log(text);
  announceLine(text);
  if (pending.push(text) === 1) queueMicrotask(showPendingLines);
}

function showPendingLines() {
  const batch = pending.splice(0).slice(-CONSOLE_LINES_KEPT);
  const excess = lines.childElementCount + batch.length - CONSOLE_LINES_KEPT;
  for (let n = 0; n < excess; ++n) lines.firstElementChild.remove();
  const fragment = document.createDocumentFragment();
  for (const text of batch) {
    const line = document.createElement('div');
    line.textContent = text;
    fragment.appendChild(line);
  }
  lines.appendChild(fragment);
  lines.scrollTop = lines.scrollHeight;
}
