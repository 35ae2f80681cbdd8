"""visuxml-compare's HTML page in a real browser: headless chromium loads
pages made from known differences, and the checks read the DOM after the
page's script has run.

    compare_page_browser_test.py VISUXML_COMPARE ARTIFACT_DIR

Exit 0 passed, 1 failed, 77 skipped (chromium missing and not installable).
The screenshot of the first page is kept in ARTIFACT_DIR.
"""

import base64
import json
import pathlib
import sys
import subprocess
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] /
                       "scripts"))
from headless_browser import HeadlessBrowser, find_chromium  # noqa: E402

SKIPPED = 77

REFERENCE = """<Scene Name="Workshop" Units="metre">
  <Camera Name="Main"><Position X="0.0" Y="2.5"/></Camera>
  <Object Name="Crate" Visible="true" Label="a &lt;b&gt; &amp; &quot;c&quot;">
    <Transform><Row X="20.0000" Y="1.0"/><Row X="1" Z="3"/></Transform>
  </Object>
  <Object Name="Lamp" Power="0"/>
  <Light Name="Sun"/>
  <Object Name="Gone"><Part/></Object>
</Scene>"""

OUTPUT = """<Scene Name="Workshop" Units="metre">
  <Camera Name="Main"><Position X="0.0" Y="2.5"/></Camera>
  <Object Name="Crate" Visible="false"
          Label="&lt;img src=x onerror=alert(1)&gt;" Extra="1">
    <Transform><Row X="21.0000" Y="1.0"/><Row X="1"/></Transform>
  </Object>
  <Object Name="Lamp" Power="0.5"/>
  <Camera Name="Sun"/>
</Scene>"""

# Every difference of the pair above: place, kind, the reference and
# output cells, |R-O|, |R-O|/|R|, compared as.
EXPECTED = [
    ("/Scene/Object[1]/@Visible", "changed", "true", "false", "", "", "text"),
    ("/Scene/Object[1]/@Label", "changed", 'a <b> & "c"',
     "<img src=x onerror=alert(1)>", "", "", "text"),
    ("/Scene/Object[1]/@Extra", "extra-attribute", "not in the reference",
     "1", "", "", ""),
    ("/Scene/Object[1]/Transform[1]/Row[1]/@X", "changed", "20.0000",
     "21.0000", "1", "5%", "number"),
    ("/Scene/Object[1]/Transform[1]/Row[2]/@Z", "missing-attribute", "3",
     "not in the output", "", "", ""),
    ("/Scene/Object[2]/@Power", "changed", "0", "0.5", "0.5", "-", "number"),
    ("/Scene/Light[1]", "mismatch", '<Light Name="Sun">',
     '<Camera Name="Sun">', "", "", ""),
    ("/Scene/Object[3]", "missing", '<Object Name="Gone"> (1 child)',
     "not in the output", "", "", ""),
]

# The page's rows as the checks read them.
READ_ROWS = """[...document.querySelectorAll('tbody tr')].map(row => ({
  place: row.title, element: row.classList.contains('e'),
  kind: row.dataset.k || '', level: +row.dataset.l,
  cells: [...row.cells].map(cell => cell.textContent),
  shown: getComputedStyle(row).display !== 'none',
  current: row.classList.contains('cur')}))"""


class Checks:
    def __init__(self):
        self.failures = 0

    def equal(self, what, actual, expected):
        if actual != expected:
            self.failures += 1
            print(f"FAILED {what}:\n  got      {actual!r}\n"
                  f"  expected {expected!r}")


def click(browser, selector):
    browser.evaluate(f"document.querySelector({json.dumps(selector)})"
                     ".click()")


def press(browser, key):
    browser.evaluate("document.dispatchEvent(new KeyboardEvent('keydown', "
                     f"{{key: {json.dumps(key)}}}))")


def shown_places(browser):
    return [row["place"] or row["cells"][0].split()[0]
            for row in browser.evaluate(READ_ROWS) if row["shown"]]


def check_differences(browser, checks):
    rows = browser.evaluate(READ_ROWS)
    differences = [row for row in rows if not row["element"]]
    checks.equal("difference rows", [
        (row["place"], row["kind"], *row["cells"][2:]) for row in differences
    ], [(place, kind, *cells) for place, kind, *cells in EXPECTED])
    elements = [row["cells"][0] for row in rows if row["element"]]
    checks.equal("reduced tree", elements, [
        '/Scene Name="Workshop" Units="metre" 1 child without differences',
        'Object[1] Name="Crate" Visible="true" Label="a <b> & "c""',
        "Transform[1]", 'Row[1] X="20.0000" Y="1.0"', 'Row[2] X="1" Z="3"',
        'Object[2] Name="Lamp" Power="0"'])
    checks.equal("elements made of values (none: the page's script and its "
                 "data only)", browser.evaluate(
                     "[document.images.length, document.scripts.length]"),
                 [0, 2])


# Which kinds are switched off, and the places still shown: an element
# stays while some difference below it does.
FILTERS = [
    (["changed"], ["/Scene", "Object[1]", "/Scene/Object[1]/@Extra",
                   "Transform[1]", "Row[2]",
                   "/Scene/Object[1]/Transform[1]/Row[2]/@Z",
                   "/Scene/Light[1]", "/Scene/Object[3]"]),
    (["changed", "extra-attribute", "missing-attribute"],
     ["/Scene", "/Scene/Light[1]", "/Scene/Object[3]"]),
    (["mismatch", "missing", "changed", "extra-attribute",
      "missing-attribute"], []),
]


def check_filters(browser, checks):
    every = shown_places(browser)
    for kinds, expected in FILTERS:
        for kind in kinds:
            click(browser, f'button.k[data-k="{kind}"]')
        checks.equal(f"places shown without {kinds}", shown_places(browser),
                     expected)
        for kind in kinds:
            click(browser, f'button.k[data-k="{kind}"]')
        checks.equal(f"places shown with {kinds} back", shown_places(browser),
                     every)


def current_place(browser):
    return [row["place"] for row in browser.evaluate(READ_ROWS)
            if row["current"]]


def check_steps_and_folds(browser, checks):
    press(browser, "n")
    press(browser, "n")
    checks.equal("second difference", current_place(browser),
                 [EXPECTED[1][0]])
    checks.equal("position", browser.evaluate(
        "document.getElementById('pos').textContent"), "2 of 8 differences")
    press(browser, "p")
    click(browser, "#prev")
    checks.equal("previous wraps to the last", current_place(browser),
                 [EXPECTED[-1][0]])
    click(browser, "tr.e[data-l='1']")
    checks.equal("Object[1] folded", "Transform[1]" in shown_places(browser),
                 False)
    click(browser, "#next")
    checks.equal("next unfolds the first difference",
                 (current_place(browser), "Transform[1]" in
                  shown_places(browser)), ([EXPECTED[0][0]], True))


def check_print(browser, artifacts, checks):
    """Printed, every row stands, folded or not; on screen again, the fold
    is back. The PDF is kept beside the screenshot."""
    click(browser, "tr.e[data-l='1']")
    browser.evaluate("addEventListener('beforeprint', () => window.printed ="
                     " document.querySelectorAll('tbody tr').length)")
    pdf = browser.call("Page.printToPDF")["data"]
    (artifacts / "compare-page.pdf").write_bytes(base64.b64decode(pdf))
    checks.equal("rows printed, rows on screen after", browser.evaluate(
        "[window.printed, document.querySelectorAll('tbody tr').length]"),
        [14, 6])
    click(browser, "tr.e[data-l='1']")


def check_large_page(browser, compare, directory, checks):
    """2,000 differences: a first chunk of rows is laid out at once, the
    others as the reader gets to them, and the last is reached by a step
    back from the first."""
    count = 2000
    for name, value in (("ref", "1"), ("out", "2")):
        (directory / f"{name}-large.xml").write_text(
            "<S>" + f'<O X="{value}"/>' * count + "</S>")
    large = directory / "large.html"
    subprocess.run([compare, "-q", "--html", large, directory /
                    "ref-large.xml", directory / "out-large.xml"])
    browser.open(large)
    laid = [browser.evaluate("document.querySelectorAll('tr.d').length")]
    browser.evaluate("window.scrollTo(0, document.body.scrollHeight)")
    # The rows come with the browser's next frames: waited for, 10 s at most.
    laid.append(browser.evaluate(
        "new Promise(done => { const start = Date.now(); (function look() {"
        " const laid = document.querySelectorAll('tr.d').length;"
        f" if (laid > {laid[0]} || Date.now() - start > 10000) done(laid);"
        " else setTimeout(look, 50); })(); })"))
    press(browser, "p")
    checks.equal("large page: more rows laid out on scrolling, the last "
                 "difference after a step back",
                 (0 < laid[0] < laid[1] < count, current_place(browser),
                  browser.evaluate("[...document.querySelector('tr.cur')"
                                   ".cells].map(cell => cell.textContent)")),
                 (True, [f"/S/O[{count}]/@X"],
                  ["@X", "changed value", "1", "2", "", "", "text"]))


def check_other_pages(browser, compare, directory, checks):
    same = directory / "same.html"
    subprocess.run([compare, "--html", same, directory / "ref.xml",
                    directory / "ref.xml"], check=True)
    browser.open(same)
    checks.equal("page of identical dumps", browser.evaluate(
        "[document.querySelector('.same').textContent, "
        "document.querySelectorAll('tbody tr').length]"),
        ["Every dump is the same as its reference.", 0])
    missing = directory / "missing.html"
    subprocess.run([compare, "--html", missing, directory / "no.xml",
                    directory / "ref.xml"], stderr=subprocess.DEVNULL)
    browser.open(missing)
    checks.equal("page of a dump not compared", browser.evaluate(
        "document.querySelector('.trouble').textContent"),
        f"{directory / 'no.xml'}: No such file or directory")


def check_run_page(browser, compare, directory, checks):
    """The page of a directory review: each dump that failed in its own
    section, a dump the same as its reference left out, and the steps going
    from one section's differences to the next's."""
    pairs = {1: (REFERENCE, OUTPUT), 2: (REFERENCE, REFERENCE),
             3: ('<S X="1"/>', '<S X="2"/>')}
    for side, form in (("ref", "Ref"), ("out", "Out")):
        (directory / side).mkdir()
        for number, documents in pairs.items():
            (directory / side / f"T_D_{form}_{number}.xml").write_text(
                documents[side == "out"])
    run = directory / "run.html"
    subprocess.run([compare, "-q", "-n", "--html", run, directory / "ref",
                    directory / "out"])
    browser.open(run)
    press(browser, "p")
    checks.equal("run page: sections, the last difference a step back",
                 (browser.evaluate("[...document.querySelectorAll("
                                   "'section.dump h2')].map(heading => "
                                   "heading.firstChild.textContent)"),
                  current_place(browser), browser.evaluate(
                      "document.getElementById('pos').textContent")),
                 (["T_D_Out_1.xml", "T_D_Out_3.xml"], ["/S/@X"],
                  "9 of 9 differences"))


def main(compare, artifacts):
    if find_chromium() is None:
        print("SKIPPED: chromium is not installed and could not be "
              "installed (run ./run-tests as root to install it)")
        return SKIPPED
    artifacts.mkdir(parents=True, exist_ok=True)
    checks = Checks()
    with tempfile.TemporaryDirectory() as scratch:
        directory = pathlib.Path(scratch)
        (directory / "ref.xml").write_text(REFERENCE)
        (directory / "out.xml").write_text(OUTPUT)
        page = directory / "page.html"
        subprocess.run([compare, "-q", "-n", "--html", page,
                        directory / "ref.xml", directory / "out.xml"])
        with HeadlessBrowser(width=1200, height=760) as browser:
            browser.open(page)
            browser.screenshot(artifacts / "compare-page.png")
            check_differences(browser, checks)
            check_filters(browser, checks)
            check_steps_and_folds(browser, checks)
            check_print(browser, artifacts, checks)
            check_large_page(browser, compare, directory, checks)
            check_other_pages(browser, compare, directory, checks)
            check_run_page(browser, compare, directory, checks)
            checks.equal("requests", browser.requests, [
                (directory / name).as_uri() for name in (
                    "page.html", "large.html", "same.html", "missing.html",
                    "run.html")])
    print(f"screenshot: {artifacts / 'compare-page.png'}")
    print("FAILED" if checks.failures else "passed")
    return 1 if checks.failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], pathlib.Path(sys.argv[2])))
