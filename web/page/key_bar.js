// The key bar: a button per command, which presses its key; and the
// button that folds the keys away.
import {foldingPanel} from './folding_panel.js';

const keys = document.getElementById('keys');
const bar = foldingPanel(document.getElementById('key-bar'),
                         document.getElementById('key-bar-toggle'), 'show keys', 'hide keys');
export const foldKeyBar = bar.fold;
export const hideKeyBar = bar.hide;

// commands: [key, label] pairs; press(key) is what a typed key does.
export function buildKeyBar(commands, press) {
  for (const [key, label] of commands) {
    const button = document.createElement('button');
    button.type = 'button';
    button.dataset.key = key;
    button.innerHTML = '<kbd></kbd>';
    button.firstChild.textContent = key;
    button.append(label);
    button.addEventListener('click', () => {
      button.blur();
      press(key);
    });
    keys.appendChild(button);
  }
}
