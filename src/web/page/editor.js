// A text box of the page as the core's documents see it: a textarea behind the methods WebDocument calls.
//
// Positions are the textarea's UTF-16 units. The core's changes arrive through
// replace() and never look like the user's; the user's own edits are found on
// each input event and handed to `onUserEdit(from, to, units)`.

const kChunk = 8192;  // units per String.fromCharCode call
// A textarea turns CR into LF, so CR is held as a unit the core never shows
// otherwise (below its stray bytes' units) and given back as CR.
const kCr = 13;
const kHeldCr = 0xDC0D;

// A string from a view of UTF-16 units (the view may vanish after the call).
export function unitsToString(view) {
  let text = '';
  for (let i = 0; i < view.length; i += kChunk) {
    const chunk = view.slice(i, i + kChunk).map((u) => (u === kCr ? kHeldCr : u));
    text += String.fromCharCode.apply(null, chunk);
  }
  return text;
}

export function stringToUnits(text) {
  const units = new Uint16Array(text.length);
  for (let i = 0; i < text.length; ++i) {
    const u = text.charCodeAt(i);
    units[i] = u === kHeldCr ? kCr : u;
  }
  return units;
}

export class TextBox {
  constructor(element, onUserEdit) {
    this.element = element;
    this.onUserEdit = onUserEdit;
    this.before = null;
    element.addEventListener('beforeinput', () => {
      this.before = { text: element.value, start: element.selectionStart };
    });
    element.addEventListener('input', (event) => this.reportInput(event));
  }

  // The edit the last input made: the text before the change's start is taken
  // as unchanged except for the box's own undo and redo, which may change anything.
  reportInput(event) {
    const old = this.before ? this.before.text : '';
    const now = this.element.value;
    const anywhere = !this.before || event.inputType.startsWith('history');
    let head = anywhere ? 0 : Math.min(this.before.start, this.element.selectionStart, old.length, now.length);
    if (anywhere) {
      while (head < old.length && head < now.length && old.charCodeAt(head) === now.charCodeAt(head)) ++head;
    }
    let tail = 0;
    while (tail < old.length - head && tail < now.length - head &&
           old.charCodeAt(old.length - 1 - tail) === now.charCodeAt(now.length - 1 - tail)) ++tail;
    this.before = null;
    this.onUserEdit(head, old.length - tail, stringToUnits(now.slice(head, now.length - tail)));
  }

  replace(from, to, view) {
    const el = this.element;
    el.setRangeText(unitsToString(view), from, to, 'preserve');
  }
  select(from, to) { this.element.setSelectionRange(from, to); }
  selection() { return { start: this.element.selectionStart, end: this.element.selectionEnd }; }
  focus() { this.element.focus({ preventScroll: true }); }
  scrollCaret() {
    const el = this.element;
    const length = el.value.length;
    if (el.selectionEnd >= length) { el.scrollTop = el.scrollHeight; return; }
    el.scrollTop = Math.max(0, el.scrollHeight * (el.selectionEnd / Math.max(length, 1)) - el.clientHeight / 2);
  }
  scrollToTop() { this.element.scrollTop = 0; }
  scrollToBottom() { this.element.scrollTop = this.element.scrollHeight; }
  setFont(face, twips) {
    this.element.style.fontFamily = `"${face}", serif`;
    this.element.style.fontSize = `${twips / 20}pt`;
  }
  canPaste() { return true; }
  copy() { this.focus(); document.execCommand('copy'); }
  cut() { this.focus(); document.execCommand('cut'); }
  paste() { this.focus(); document.execCommand('paste'); }
}
