// The page's own controls: full screen, and the panels folded away on a
// small screen, where the sheet comes first (finger-sized keys take much of
// a screen), one tap from open.
import {foldConsole} from './console_panel.js';
import {foldKeyBar} from './key_bar.js';

const SMALL_SCREEN = '(max-width: 500px), (max-height: 420px), (pointer: coarse) and (max-height: 600px)';

const fullscreen = document.getElementById('fullscreen');

// Whether the page started with its panels folded away.
export const startsFolded = () => matchMedia(SMALL_SCREEN).matches;

export function setUpPageControls() {
  fullscreen.addEventListener('click', () => {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch((error) => console.warn(error));
  });
  if (startsFolded()) {
    foldKeyBar(true);
    foldConsole(true);
  }
}
