// The key bar: a button per command, which presses its key; and the
// button that folds the keys away.
const bar = document.getElementById('key-bar');
const keys = document.getElementById('keys');
const toggle = document.getElementById('key-bar-toggle');

// commands: [key, label] pairs; press(key) is what a typed key does.
export function buildKeyBar(commands, press) {
  for (const [key, label] of commands) {
    const button = document.createElement('button');
    button.type = 'button';
    button.dataset.key = key;
    button.innerHTML = '<kbd></kbd>';
    button.firstChild.textContent = key;
    button.append(label);
    button.addEventListener('click', () => {
      button.blur();
      press(key);
    });
    keys.appendChild(button);
  }
}

export function foldKeyBar(folded) {
  bar.classList.toggle('collapsed', folded);
  toggle.textContent = folded ? 'show keys' : 'hide keys';
}
toggle.addEventListener('click', () => foldKeyBar(!bar.classList.contains('collapsed')));

export function hideKeyBar() {
  bar.hidden = true;
}
