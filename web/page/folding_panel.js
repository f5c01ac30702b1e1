// A panel that folds away to the button that toggles it, and that the page
// hides altogether where the program cannot run. The button's text says
// what pressing it does.
export function foldingPanel(panel, toggle, openText, foldText) {
  const fold = (folded) => {
    panel.classList.toggle('collapsed', folded);
    toggle.textContent = folded ? openText : foldText;
  };
  toggle.addEventListener('click', () => fold(!panel.classList.contains('collapsed')));
  return {fold, hide: () => (panel.hidden = true)};
}
