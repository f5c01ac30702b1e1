// The texture files, fetched (or unpacked from the single file) into the
// program's working directory before main runs, by the program's own list
// of names. A file that does not arrive is not written: the program's
// loader then reports it as it would on the desktop.
import {EMBEDDED_TEXTURES, inflate} from './single_file.js';

export async function fetchTextures() {
  const count = Module._vantrelleTextureFileCount();
  const names = [];
  for (let slot = 0; slot < count; ++slot)
    names.push(Module.UTF8ToString(Module._vantrelleTextureFileName(slot)));
  await Promise.all(names.map(async (name) => {
    try {
      if (EMBEDDED_TEXTURES) {
        if (name in EMBEDDED_TEXTURES) Module.FS.writeFile(name, await inflate(EMBEDDED_TEXTURES[name]));
        return;
      }
      const response = await fetch('textures/' + name, {cache: 'no-cache'});
      if (!response.ok) {
        console.warn('vantrelle: textures/' + name + ': HTTP ' + response.status);
        return;
      }
      Module.FS.writeFile(name, new Uint8Array(await response.arrayBuffer()));
    } catch (error) {
      console.warn('vantrelle: textures/' + name + ': ' + error);
    }
  }));
}
