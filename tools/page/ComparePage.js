// Filtering by kind, folding the tree, and stepping from one difference to
// the next. The rows come from the page itself; nothing is fetched.
(function () {
  'use strict';

  // Each table's rows, read once: depth, element or difference, kind.
  var tables = [].map.call(document.querySelectorAll('table.tree'),
    function (table) {
      return [].map.call(table.tBodies[0].rows, function (row, index) {
        return {
          row: row,
          index: index,
          level: +row.getAttribute('data-l'),
          element: row.classList.contains('e'),
          kind: row.getAttribute('data-k'),
          folded: false,
          passes: true
        };
      });
    });
  tables.forEach(function (rows) {
    rows.forEach(function (entry) { entry.rows = rows; });
  });

  var hiddenKinds = {};
  var shown = [];
  var current = null;
  var position = document.getElementById('pos');

  // The differences the filter lets through, in page order.
  function collectShown() {
    shown = [];
    tables.forEach(function (rows) {
      rows.forEach(function (entry) {
        if (!entry.element && entry.passes) shown.push(entry);
      });
    });
  }

  // Backwards through each table, so that an element is reached after
  // everything below it: it passes when some row one level deeper did.
  function applyFilter() {
    tables.forEach(function (rows) {
      var passed = [];
      for (var i = rows.length - 1; i >= 0; --i) {
        var entry = rows[i];
        if (entry.element) {
          entry.passes = !!passed[entry.level + 1];
          passed[entry.level + 1] = false;
        } else {
          entry.passes = !hiddenKinds[entry.kind];
        }
        if (entry.passes) passed[entry.level] = true;
      }
    });
    collectShown();
    applyFolds();
  }

  // Forwards: a folded element hides every deeper row until the tree
  // comes back to its level.
  function applyFolds() {
    tables.forEach(function (rows) {
      var foldedAt = Infinity;
      rows.forEach(function (entry) {
        if (entry.level <= foldedAt) foldedAt = Infinity;
        var insideFold = entry.level > foldedAt;
        entry.row.classList.toggle('h', !entry.passes);
        entry.row.classList.toggle('fh', entry.passes && insideFold);
        if (entry.element && entry.folded && !insideFold) {
          foldedAt = entry.level;
        }
      });
    });
    tellPosition();
  }

  function tellPosition() {
    if (!position) return;
    var at = shown.indexOf(current);
    var total = shown.length + (shown.length === 1 ? ' difference' :
                                                     ' differences');
    position.textContent = at < 0 ? total + ' shown' : (at + 1) + ' of ' +
                           total;
  }

  function fold(entry, folded) {
    entry.folded = folded;
    entry.row.classList.toggle('folded', folded);
  }

  // Opens every folded element above the row.
  function unfoldAbove(entry) {
    var level = entry.level;
    for (var i = entry.index - 1; i >= 0 && level > 0; --i) {
      var above = entry.rows[i];
      if (above.level < level) {
        if (above.folded) fold(above, false);
        level = above.level;
      }
    }
  }

  function step(direction) {
    if (shown.length === 0) return;
    var at = shown.indexOf(current);
    at = at < 0 ? (direction > 0 ? 0 : shown.length - 1)
                : (at + direction + shown.length) % shown.length;
    if (current) current.row.classList.remove('cur');
    current = shown[at];
    current.row.classList.add('cur');
    unfoldAbove(current);
    applyFolds();
    current.row.scrollIntoView({ block: 'center' });
  }

  tables.forEach(function (rows) {
    rows.forEach(function (entry) {
      if (!entry.element) return;
      entry.row.addEventListener('click', function () {
        fold(entry, !entry.folded);
        applyFolds();
      });
    });
  });

  [].forEach.call(document.querySelectorAll('#tools button.k'),
    function (button) {
      button.addEventListener('click', function () {
        var kind = button.getAttribute('data-k');
        hiddenKinds[kind] = !hiddenKinds[kind];
        button.setAttribute('aria-pressed', String(!hiddenKinds[kind]));
        applyFilter();
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

  collectShown();
  tellPosition();
}());
