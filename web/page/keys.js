// Keys for the program: the character a key types, Shift included, as
// GLUT's keyboard callback gets it; and the key bar's buttons, which press
// the same keys.
import {buildKeyBar} from './key_bar.js';
import {takeInput} from './live_input.js';

// The program's commands that have a button: [key, label] pairs, from its
// own table, so that the key bar and the keyboard cannot disagree.
function programCommands() {
  const commands = [];
  for (let index = 0; index < Module._vantrelleCommandCount(); ++index) {
    const label = Module.UTF8ToString(Module._vantrelleCommandLabel(index));
    if (label) commands.push([String.fromCharCode(Module._vantrelleCommandKey(index)), label]);
  }
  return commands;
}

export function pressKey(character) {
  takeInput(() => Module._vantrelleLiveKey(character.charCodeAt(0)));
}

// The key bar comes once the program has loaded (before main runs).
export function setUpKeyBar() {
  buildKeyBar(programCommands(), pressKey);
}

// Keys that type no character, and the browser's own shortcuts, are not the
// program's; nor is a control's own Space or Enter (a button's, a checkbox's,
// a list's).
export function setUpKeys() {
  // A press on selected text and a move would start the browser's own drag
  // of it, which swallows the keys typed meanwhile. The page has nothing to
  // drag; the text can still be selected and copied.
  window.addEventListener('dragstart', (event) => event.preventDefault());
  window.addEventListener('keydown', (event) => {
    if (event.ctrlKey || event.metaKey || event.altKey || event.isComposing) return;
    if (event.key.length !== 1 || event.key.charCodeAt(0) > 255) return;
    const control = event.target instanceof HTMLButtonElement || event.target instanceof HTMLInputElement ||
                    event.target instanceof HTMLSelectElement;
    if (control && (event.key === ' ' || event.key === 'Enter')) return;
    event.preventDefault();
    pressKey(event.key);
  });
}
