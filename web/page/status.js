// The notice over the canvas: what the page says of itself (loading, a
// refused link, the program's end) and the first-load hint, which goes at
// the first key or touch.
const status = document.getElementById('status');
let hintShown = false;

// A notice sits near the top, over the panels; other text in the middle.
export function showStatus(text, notice = false) {
  status.textContent = text;
  status.classList.toggle('notice', Boolean(notice));
  hintShown = false;
}

export function showHint(text) {
  showStatus(text, true);
  hintShown = true;
}

export function dropHint() {
  if (hintShown) showStatus('');
}
