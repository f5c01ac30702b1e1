// A panel that folds away to the button that toggles it, and that the page
// hides altogether where the program cannot run. The button's text says
// what pressing it does; its name says what it folds, where the text alone
// does not; its expanded state says whether the panel is open.
// texts: {open, fold} shown on the button, and optionally what: the panel
// as a screen reader names it ("the console").
export function foldingPanel(panel, toggle, {open, fold, what}) {
  const foldTo = (folded) => {
    panel.classList.toggle('collapsed', folded);
    toggle.textContent = folded ? open : fold;
    toggle.setAttribute('aria-expanded', String(!folded));
    if (what) toggle.setAttribute('aria-label', `${folded ? open : fold} ${what}`);
  };
  toggle.addEventListener('click', () => foldTo(!panel.classList.contains('collapsed')));
  return {fold: foldTo, hide: () => (panel.hidden = true)};
}
