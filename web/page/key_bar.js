// The key bar: a button per command, which presses its key; and the
// button that folds the keys away.
import {foldingPanel} from './folding_panel.js';

const keys = document.getElementById('keys');
const bar = foldingPanel(document.getElementById('key-bar'),
                         document.getElementById('key-bar-toggle'),
                         {open: 'show keys', fold: 'hide keys'});
export const foldKeyBar = bar.fold;
export const hideKeyBar = bar.hide;

// The panels down the right side end above the bar, however many rows of
// keys it takes: its height is the page's --key-bar-height.
new ResizeObserver(([entry]) => {
  const height = entry.target.hidden ? 0 : entry.target.getBoundingClientRect().height;
  document.documentElement.style.setProperty('--key-bar-height', `${Math.ceil(height)}px`);
}).observe(document.getElementById('key-bar'));

// commands: [key, label] pairs; press(key) is what a typed key does. Each
// button reads as words ("animate, key a") and keeps the focus when pressed,
// so that Enter or Space presses it again.
export function buildKeyBar(commands, press) {
  for (const [key, label] of commands) {
    const button = document.createElement('button');
    button.type = 'button';
    button.dataset.key = key;
    button.setAttribute('aria-label', `${label}, key ${key}`);
    // The key is drawn from its data (the stylesheet's kbd::before): it is
    // in the name already, in words, and the visible text stays the label.
    button.innerHTML = '<kbd aria-hidden="true"></kbd>';
    button.firstChild.dataset.key = key;
    button.append(label);
    button.addEventListener('click', () => press(key));
    keys.appendChild(button);
  }
}

// A toolbar's arrows: Left and Right move along the buttons, Home and End
// to either end. The arrows are the page's: they type no character, so the
// program never sees them.
keys.addEventListener('keydown', (event) => {
  const buttons = [...keys.querySelectorAll('button')];
  const at = buttons.indexOf(document.activeElement);
  const to = {ArrowLeft: at - 1, ArrowRight: at + 1, Home: 0, End: buttons.length - 1}[event.key];
  if (at < 0 || to === undefined || event.altKey || event.ctrlKey || event.metaKey) return;
  event.preventDefault();
  buttons[(to + buttons.length) % buttons.length].focus();
});
