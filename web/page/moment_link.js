// The link to this moment: the address that brings a fresh page to this
// state (the link's script as far as it played, then every key, step and
// drag since). It goes into the address bar, without reloading, and, where
// the browser lets the page, to the clipboard.
import {isRunning, onProgramEnd} from './program.js';
import {showStatus} from './status.js';

const button = document.getElementById('moment-link');

async function linkToThisMoment() {
  if (!isRunning()) return;
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

button.addEventListener('click', linkToThisMoment);
// An ended program is no state to link to.
onProgramEnd(() => (button.disabled = true));
