// What a screen reader says as the program writes: the console's new lines,
// a batch at a time and politely, with numbers at a precision a listener can
// take in (the panel and the browser's console keep the exact lines). While
// a link plays, its lines are not read; its outcome is.
const announcer = document.getElementById('announcer');
// Of a batch, this many lines are read; of more, the count and the last.
const LINES_READ = 3;

let held = false;

// "-3.65078e-08" as "-3.65e-8", "50.062115331194754" as "50.06"; whole
// numbers as they are. Coordinates "x,y,z" get a pause between them.
export function spoken(line) {
  return line.replace(/-?\d+(\.\d+)?(e[-+]?\d+)?/gi, (number) => {
    const value = Number(number);
    if (Number.isInteger(value) && !/[.e]/i.test(number)) return number;
    if (Math.abs(value) >= 1) return String(Math.round(value * 100) / 100);
    return String(Number(value.toPrecision(3)));
  }).replace(/(\d),(?=-?\d)/g, '$1, ');
}

export function announce(text) {
  // A new text in the region is read; the same text again would not be.
  announcer.textContent = announcer.textContent === text ? text + '\u00a0' : text;
}

// A line the program wrote: read with the others of its task, unless held.
const pending = [];
export function announceLine(line) {
  if (!held && pending.push(line) === 1) queueMicrotask(announcePending);
}

function announcePending() {
  const lines = pending.splice(0);
  const read = lines.length <= LINES_READ
    ? lines.map(spoken).join('. ')
    : `${lines.length} lines; the last: ${spoken(lines.at(-1))}`;
  announce(read);
}

// While held, lines written are not read (a link's replay); the outcome is
// said with announce.
export function holdAnnouncements(hold) {
  held = hold;
}
