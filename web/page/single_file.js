// The single file carries the program and the textures gzip-compressed, in
// base64, for the page to unpack with the browser's DecompressionStream.
// On the served site there is nothing inside.
// {program, wasm, textures: {name: packed}}, or null on the served site.
export const PACKED_FILES = window.VANTRELLE_PACKED_FILES || null;
export const EMBEDDED_TEXTURES = PACKED_FILES && PACKED_FILES.textures;

export async function inflate(base64) {
  const packed = Uint8Array.from(atob(base64), (character) => character.charCodeAt(0));
  const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'));
  return new Uint8Array(await new Response(stream).arrayBuffer());
}
