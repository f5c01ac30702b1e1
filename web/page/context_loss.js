// A lost WebGL context comes back with nothing in it: the program's GL
// layer builds its objects and uploads the textures again; the cloth goes on.
import {callProgram, canvas, isRunning} from './program.js';

export function setUpContextLoss() {
  canvas.addEventListener('webglcontextlost', (event) => {
    event.preventDefault();
    console.warn('vantrelle: the WebGL context was lost; waiting for it to come back');
  });
  canvas.addEventListener('webglcontextrestored', () => {
    console.warn('vantrelle: the WebGL context is back');
    if (isRunning()) callProgram(() => Module._vantrelleContextRestored());
  });
}
