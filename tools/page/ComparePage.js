// Lays out each dump's rows from the data beside its table, a chunk at a
// time as the reader scrolls, so a page of thousands of differences opens
// at once; filters them by kind, folds the tree, and steps from one
// difference to the next. Nothing is fetched: the data is in the page.
(function () {
  'use strict';

  // Rows laid out at a time: several screens, and still quick to make.
  var CHUNK = 200;
  var hiddenKinds = {};
  var kindNames = {};
  var printing = false;
  var current = null;
  // The differences the filter lets through, in page order.
  var shown = [];
  var position = document.getElementById('pos');
  var kindButtons = document.querySelectorAll('#tools button.k');
  [].forEach.call(kindButtons, function (button) {
    kindNames[button.getAttribute('data-k')] =
      button.getAttribute('data-name');
  });

  function counted(count, one, many) {
    return count + ' ' + (count === 1 ? one : many);
  }

  // One row of the data; the layout of its fields is PageRows.h's.
  function entryOf(fields, index) {
    var entry = {
      index: index, level: fields[1], element: fields[0] === 0,
      passes: true, node: null
    };
    if (entry.element) {
      entry.step = fields[2];
      entry.differs = fields[3] === 1;
      entry.leftOut = fields[4];
      entry.moreAttributes = fields[5];
      entry.without = fields[6];
      entry.attributes = fields[7];
      entry.folded = false;
    } else {
      entry.kind = fields[2];
      entry.step = fields[3];
      entry.reference = fields[4];
      entry.output = fields[5];
      entry.cells = [fields[6], fields[7], fields[8]];
    }
    return entry;
  }

  // Each difference's place, from the steps of the elements above it.
  function placeRows(rows) {
    var steps = [];
    rows.forEach(function (entry) {
      if (entry.element) {
        steps[entry.level] = (entry.leftOut ? '\u2026/' : '') + entry.step;
      } else {
        entry.place = entry.level === 0 ? entry.step :
          steps.slice(0, entry.level).join('/') + '/' + entry.step;
      }
    });
  }

  var views = [].map.call(document.querySelectorAll('table.tree'),
    function (table) {
      var rows = JSON.parse(table.nextElementSibling.textContent)
        .map(entryOf);
      placeRows(rows);
      var view = {
        body: table.tBodies[0], rows: rows, visible: [], laid: 0,
        more: document.createElement('tr')
      };
      view.more.className = 'more';
      view.more.appendChild(document.createElement('td')).colSpan = 7;
      rows.forEach(function (entry) { entry.view = view; });
      view.body.addEventListener('click', function (event) {
        var row = event.target.closest('tr.e');
        if (!row) return;
        fold(row.entry, !row.entry.folded);
        refresh(view);
      });
      return view;
    });

  function addText(cell, text, style) {
    if (cell.firstChild) cell.appendChild(document.createTextNode(' '));
    var span = cell.appendChild(document.createElement('span'));
    span.className = style;
    span.textContent = text;
  }

  function addCell(row, text, style) {
    var cell = row.appendChild(document.createElement('td'));
    if (style) cell.className = style;
    cell.textContent = text;
    return cell;
  }

  function elementRow(entry, row) {
    row.className = 'e' + (entry.differs ? ' x' : '') +
                    (entry.folded ? ' folded' : '');
    var cell = addCell(row, '');
    cell.colSpan = 7;
    if (entry.leftOut) {
      addText(cell, '\u22EF ' + counted(entry.leftOut, 'level', 'levels') +
              ' \u22EF', 'm');
    }
    addText(cell, entry.step, 's');
    for (var i = 0; i < entry.attributes.length; i += 3) {
      addText(cell, entry.attributes[i] + '="' + entry.attributes[i + 1] +
              '"', entry.attributes[i + 2] ? 'a c' : 'a');
    }
    if (entry.moreAttributes) {
      addText(cell, '+' + counted(entry.moreAttributes, 'attribute',
                                  'attributes'), 'm');
    }
    if (entry.without) {
      addText(cell, counted(entry.without, 'child', 'children') +
              ' without differences', 'm');
    }
  }

  function differenceRow(entry, row) {
    row.className = 'd';
    row.setAttribute('data-k', entry.kind);
    row.title = entry.place;
    addCell(row, entry.step);
    addCell(row, kindNames[entry.kind] || entry.kind);
    if (entry.kind === 'uncompared' || entry.kind === 'xml-errors') {
      addCell(row, entry.reference).colSpan = 2;
    } else {
      [[entry.reference, 'not in the reference'],
       [entry.output, 'not in the output']].forEach(function (side) {
        if (side[0] === null) addCell(row, side[1], 'no');
        else addCell(row, side[0]);
      });
    }
    addCell(row, entry.cells[0], 'g');
    addCell(row, entry.cells[1], 'g');
    addCell(row, entry.cells[2]);
  }

  // The row's element in the table, made the first time it is laid out.
  function nodeOf(entry) {
    if (entry.node) return entry.node;
    var row = document.createElement('tr');
    row.setAttribute('data-l', entry.level);
    row.entry = entry;
    if (entry.element) elementRow(entry, row);
    else differenceRow(entry, row);
    entry.node = row;
    return row;
  }

  // Backwards through each table, so that an element is reached after
  // everything below it: it passes when some row one level deeper did.
  function applyFilter() {
    shown = [];
    views.forEach(function (view) {
      var passed = [];
      for (var i = view.rows.length - 1; i >= 0; --i) {
        var entry = view.rows[i];
        if (entry.element) {
          entry.passes = !!passed[entry.level + 1];
          passed[entry.level + 1] = false;
        } else {
          entry.passes = !hiddenKinds[entry.kind];
        }
        if (entry.passes) passed[entry.level] = true;
      }
      view.rows.forEach(function (entry) {
        if (!entry.element && entry.passes) shown.push(entry);
      });
    });
  }

  // The rows to show, in order: those the filter lets through, less those
  // inside a folded element (on paper nothing is folded).
  function findVisible(view) {
    var visible = [];
    var foldedAt = Infinity;
    view.rows.forEach(function (entry) {
      if (entry.level <= foldedAt) foldedAt = Infinity;
      if (!entry.passes || entry.level > foldedAt) return;
      visible.push(entry);
      if (entry.element && entry.folded && !printing) foldedAt = entry.level;
    });
    view.visible = visible;
  }

  function tellMore(view) {
    var left = view.visible.length - view.laid;
    if (left <= 0) {
      if (view.more.parentNode) view.body.removeChild(view.more);
      return;
    }
    view.more.firstChild.textContent =
      counted(left, 'more row', 'more rows') + ' below';
    view.body.appendChild(view.more);
    if (watcher) watcher.observe(view.more);
  }

  // Lays the visible rows out again, as many as before or count.
  function layOut(view, count) {
    var rows = document.createDocumentFragment();
    view.laid = Math.min(view.visible.length, count);
    for (var i = 0; i < view.laid; ++i) {
      rows.appendChild(nodeOf(view.visible[i]));
    }
    view.body.replaceChildren(rows);
    tellMore(view);
  }

  // Adds the next visible rows, up to count in all.
  function extend(view, count) {
    var end = Math.min(view.visible.length, count);
    var rows = document.createDocumentFragment();
    for (var i = view.laid; i < end; ++i) {
      rows.appendChild(nodeOf(view.visible[i]));
    }
    view.body.insertBefore(rows, view.more.parentNode ? view.more : null);
    view.laid = Math.max(view.laid, end);
    tellMore(view);
  }

  // Fed when a table's last laid-out rows come near the screen.
  var watcher = window.IntersectionObserver ?
    new IntersectionObserver(function (sightings) {
      sightings.forEach(function (sighting) {
        if (!sighting.isIntersecting) return;
        views.forEach(function (view) {
          if (view.more === sighting.target) extend(view, view.laid + CHUNK);
        });
      });
    }, { rootMargin: '1000px 0px' }) : null;

  function refresh(view) {
    findVisible(view);
    layOut(view, Math.max(view.laid, CHUNK));
    tellPosition();
  }

  function tellPosition() {
    if (!position) return;
    var at = shown.indexOf(current);
    var total = counted(shown.length, 'difference', 'differences');
    position.textContent = at < 0 ? total + ' shown' : (at + 1) + ' of ' +
                           total;
  }

  function fold(entry, folded) {
    entry.folded = folded;
    if (entry.node) entry.node.classList.toggle('folded', folded);
  }

  // Opens every folded element above the row; true when one was.
  function unfoldAbove(entry) {
    var level = entry.level;
    var opened = false;
    for (var i = entry.index - 1; i >= 0 && level > 0; --i) {
      var above = entry.view.rows[i];
      if (above.level < level) {
        if (above.folded) {
          fold(above, false);
          opened = true;
        }
        level = above.level;
      }
    }
    return opened;
  }

  function step(direction) {
    if (shown.length === 0) return;
    var at = shown.indexOf(current);
    at = at < 0 ? (direction > 0 ? 0 : shown.length - 1)
                : (at + direction + shown.length) % shown.length;
    if (current && current.node) current.node.classList.remove('cur');
    current = shown[at];
    var view = current.view;
    if (unfoldAbove(current)) refresh(view);
    var index = view.visible.indexOf(current);
    if (index >= view.laid) extend(view, index + CHUNK);
    nodeOf(current).classList.add('cur');
    current.node.scrollIntoView({ block: 'center' });
    tellPosition();
  }

  [].forEach.call(kindButtons, function (button) {
    button.addEventListener('click', function () {
      var kind = button.getAttribute('data-k');
      hiddenKinds[kind] = !hiddenKinds[kind];
      button.setAttribute('aria-pressed', String(!hiddenKinds[kind]));
      applyFilter();
      views.forEach(refresh);
    });
  });

  var next = document.getElementById('next');
  var previous = document.getElementById('prev');
  if (next) next.addEventListener('click', function () { step(1); });
  if (previous) previous.addEventListener('click', function () { step(-1); });
  document.addEventListener('keydown', function (event) {
    if (event.ctrlKey || event.metaKey || event.altKey) return;
    if (event.key === 'n' || event.key === 'j') step(1);
    else if (event.key === 'p' || event.key === 'k') step(-1);
  });

  // On paper every row the filter lets through, folded or not.
  function setPrinting(on) {
    printing = on;
    views.forEach(function (view) {
      findVisible(view);
      if (on) view.laidOnScreen = view.laid;
      layOut(view, on ? view.visible.length : view.laidOnScreen);
    });
  }
  window.addEventListener('beforeprint', function () { setPrinting(true); });
  window.addEventListener('afterprint', function () { setPrinting(false); });

  applyFilter();
  views.forEach(function (view) {
    findVisible(view);
    layOut(view, watcher ? CHUNK : view.visible.length);
  });
  tellPosition();
}());
