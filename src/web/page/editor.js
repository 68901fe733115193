// A text box of the page as the core's documents see it: a CodeMirror view behind the methods WebDocument calls.
//
// Positions are the view's UTF-16 units. Lines end at LF alone, so a CR is one
// unit of the text like any other (shown as a placeholder), and so is a stray
// byte's unit (U+DC80..U+DCFF, shown as its byte). The view draws only the
// lines in sight. The core's changes arrive through replace() and never look
// like the user's; the user's own edits go to `onUserEdit(from, to, units)`.
import { Annotation, Compartment, EditorState, StateEffect, StateField } from '@codemirror/state';
import { Decoration, EditorView, highlightSpecialChars, drawSelection, hoverTooltip, keymap } from '@codemirror/view';

const kChunk = 8192;  // units per String.fromCharCode call
const fromCore = Annotation.define();
const kTints = 8;

// The seam marks: a tint per source file and a mark on each join's first
// character, moved along with later edits until drawn anew.
const setMarks = StateEffect.define();
const marks = StateField.define({
  create: () => Decoration.none,
  update(value, tr) {
    let next = value.map(tr.changes);
    for (const effect of tr.effects) if (effect.is(setMarks)) next = effect.value;
    return next;
  },
  provide: (field) => EditorView.decorations.from(field),
});

// A string from a view of UTF-16 units (the view may vanish after the call).
export function unitsToString(view) {
  let text = '';
  for (let i = 0; i < view.length; i += kChunk) text += String.fromCharCode.apply(null, view.subarray(i, i + kChunk));
  return text;
}

export function stringToUnits(text) {
  const units = new Uint16Array(text.length);
  for (let i = 0; i < text.length; ++i) units[i] = text.charCodeAt(i);
  return units;
}

// A stray byte's unit drawn as the byte, e.g. "<FF>".
function strayByte(code) {
  const mark = document.createElement('span');
  mark.className = 'stray-byte';
  mark.textContent = code >= 0xDC80 && code <= 0xDCFF
    ? `<${(code - 0xDC00).toString(16).toUpperCase()}>` : '\u2022';
  mark.title = code === 13 ? 'CR' : `byte 0x${(code - 0xDC00).toString(16).toUpperCase()}`;
  return mark;
}

export class TextBox {
  // `parent`: the element the view goes into; `label`: its accessible name;
  // `tooltipAt(pos)`, when given, the text shown on hovering at a position ("" for none).
  constructor(parent, label, onUserEdit, tooltipAt = null) {
    this.onUserEdit = onUserEdit;
    this.updating = false;
    this.pending = [];
    this.editable = new Compartment();
    this.font = new Compartment();
    this.view = new EditorView({
      parent,
      state: EditorState.create({
        extensions: [
          EditorState.lineSeparator.of('\n'),
          EditorView.lineWrapping,
          drawSelection(),
          highlightSpecialChars({ addSpecialChars: /[\udc80-\udcff]/, render: strayByte }),
          keymap.of([]),
          EditorView.contentAttributes.of({ 'aria-label': label }),
          this.editable.of(EditorView.editable.of(true)),
          this.font.of([]),
          EditorView.updateListener.of((update) => this.heard(update)),
          marks,
          tooltipAt ? hoverTooltip((view, pos) => {
            const text = tooltipAt(pos);
            if (!text) return null;
            return { pos, above: true, create: () => {
              const dom = document.createElement('div');
              dom.className = 'seam-tooltip';
              dom.textContent = text;
              return { dom };
            } };
          }) : [],
        ],
      }),
    });
  }

  heard(update) {
    this.updating = true;
    try {
      for (const tr of update.transactions) {
        if (!tr.docChanged || tr.annotation(fromCore)) continue;
        // Each change at its place once the ones before it are made.
        tr.changes.iterChanges((fromA, toA, fromB, toB, inserted) => {
          this.onUserEdit(fromB, fromB + (toA - fromA), stringToUnits(inserted.toString()));
        });
      }
    } finally {
      this.updating = false;
    }
    if (this.pending.length) queueMicrotask(() => this.flush());
  }

  // The view takes no transaction while it tells of one: those wait until it has told.
  dispatch(change) {
    if (this.updating) this.pending.push(change);
    else this.view.dispatch({ ...change, annotations: fromCore.of(true) });
  }

  flush() {
    const changes = this.pending.splice(0);
    for (const change of changes) this.view.dispatch({ ...change, annotations: fromCore.of(true) });
  }

  replace(from, to, units) { this.dispatch({ changes: { from, to, insert: unitsToString(units) } }); }
  select(from, to) { this.dispatch({ selection: { anchor: from, head: to } }); }
  selection() {
    const main = this.view.state.selection.main;
    return { start: main.from, end: main.to };
  }
  text() { return this.view.state.doc.toString(); }
  setReadOnly(on) { this.view.dispatch({ effects: this.editable.reconfigure(EditorView.editable.of(!on)) }); }
  focus() { this.view.focus(); }
  scrollCaret() { this.dispatch({ effects: EditorView.scrollIntoView(this.view.state.selection.main.head) }); }
  scrollToTop() { this.dispatch({ effects: EditorView.scrollIntoView(0, { y: 'start' }) }); }
  scrollToBottom() { this.dispatch({ effects: EditorView.scrollIntoView(this.view.state.doc.length, { y: 'end' }) }); }
  setFont(face, twips) {
    const theme = EditorView.theme({
      '&': { fontSize: `${twips / 20}pt` },
      '.cm-scroller': { fontFamily: `"${face}", serif` },
    });
    this.dispatch({ effects: this.font.reconfigure(theme) });
  }
  // `spans`: start, end, file index, join flag per span (Int32Array); `tint`: whether files are tinted.
  setMarks(spans, tint) {
    const ranges = [];
    const length = this.view.state.doc.length;
    for (let i = 0; i + 3 < spans.length; i += 4) {
      const [start, end, file, join] = [spans[i], Math.min(spans[i + 1], length), spans[i + 2], spans[i + 3]];
      if (start >= end) continue;
      if (tint) ranges.push(Decoration.mark({ class: `seam-tint-${file % kTints}` }).range(start, end));
      if (tint && join) ranges.push(Decoration.mark({ class: 'seam-join' }).range(start, start + 1));
    }
    this.dispatch({ effects: setMarks.of(Decoration.set(ranges, true)) });
  }
  // The text position under a point of the window, or -1.
  positionAt(x, y) { return this.view.posAtCoords({ x, y }) ?? -1; }
  canPaste() { return true; }
  copy() { this.focus(); document.execCommand('copy'); }
  cut() { this.focus(); document.execCommand('cut'); }
  paste() { this.focus(); document.execCommand('paste'); }
}
