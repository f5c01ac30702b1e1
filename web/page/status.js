// The notice over the canvas: what the page says of itself (loading, a
// refused link, the program's end) and the first-load hint. A notice (as
// opposed to the page's state, such as its end) has a close button, goes
// with Escape, and leaves by itself once the person does something.
const status = document.getElementById('status');
const text = document.getElementById('status-text');
const close = document.getElementById('status-close');
let noticeShown = false;

export function showStatus(message, notice = false) {
  text.textContent = message;
  status.hidden = !message;
  status.classList.toggle('notice', Boolean(notice));
  noticeShown = Boolean(notice && message);
  close.hidden = !noticeShown;
}

// What to press first: a notice like any other.
export function showHint(message) {
  showStatus(message, true);
}

// A key, a button or a touch that the page took: a notice has been read.
export function userActed() {
  if (noticeShown) showStatus('');
}

close.addEventListener('click', () => showStatus(''));
window.addEventListener('keydown', (event) => {
  if (event.key === 'Escape' && noticeShown) showStatus('');
});
