// What the page's random tests press, from a seed, so that a failure can be
// replayed: a small seeded generator, random(n) giving 0 to n - 1, and the
// keys outside the command table (capitals included: only Q is a command).
export function seededRandom(seed) {
  let state = seed >>> 0;
  return (n) => {
    state = (state * 1664525 + 1013904223) >>> 0;
    return Math.floor((state / 2 ** 32) * n);
  };
}

export const OTHER_KEYS = 'b0+AFNPRSTz9,./7';
