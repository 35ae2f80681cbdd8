#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into fuzz/corpus/.

The comparison and stream targets read their input with libFuzzer's
FuzzedDataProvider: strings are taken from the front (ended by a backslash
and one other byte), small integers one byte each from the back. The seeds
are laid out the same way so that fuzzing starts from meaningful calls.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def provider_input(strings, numbers):
    """Strings consumed from the front, then one byte per number from the back."""
    front = b"".join(s.replace(b"\\", b"\\\\") + b"\\x" for s in strings)
    return front + bytes(reversed(numbers))


def parser_seeds():
    seeds = {
        "simple.xml": b'<?xml version="1.0" encoding="UTF-8"?>\n<Scene Name="demo"/>\n',
        "nested.xml": b'<Scene Name="demo"><Camera Fov="45.00"/><Object Name="box" Visible="1">text<Light/></Object></Scene>',
        "escapes.xml": b'<a v="&lt;&amp;&gt;&quot;&apos;&#10;&#9;&#x41;">&lt;x&gt; &amp; <![CDATA[<raw>]]></a>',
        "misc.xml": b'<!-- c --><?pi data?><a xmlns:p="urn:x" p:q="1"><!-- in --><b/>  <c>  spaced  </c></a>',
        "doctype.xml": b'<!DOCTYPE a [<!ENTITY e "expanded">]><a t="&e;">&e;</a>',
        "bom.xml": b'\xef\xbb\xbf<a b="\xc3\xa9\xe2\x82\xac"/>',
        "utf16.xml": '\ufeff<a b="c">d</a>'.encode("utf-16-le"),
        "error.xml": b'<Scene><VisuXMLError>The XML markup history is empty.</VisuXMLError></Scene>',
        "broken.xml": b'<a><b></a>',
    }
    for name, data in seeds.items():
        write("parser_roundtrip", name, data)


def compare_seeds():
    # numbers: version selector, failing allocation (0: none, 128 + n: the
    # n + 1-th), declaration count, then per declaration (pooled flag, pool
    # index, type selector), then the searched name.
    cases = {
        "equal": ([b'<a x="1.0"><b/></a>'], b'<a x="1.00"><b/></a>', [2, 1, 1, 0, 1, 0]),
        "tolerance-v1": ([b'<a x="1" y="2"/>'], b'<a x="1.0009" y="3"/>', [0, 2, 1, 0, 1, 1, 1, 1, 0]),
        "tolerance-v2": ([b'<a v="0"/>'], b'<a v="0.005"/>', [1, 1, 1, 2, 1, 0]),
        "children": ([b'<a><b/><c x="r"/><c/></a>'], b'<a><b/><c x="o"/></a>', [2, 0, 1]),
        "extra": ([b'<a/>'], b'<a w="???" x="3"><b/><b/></a>', [2, 0, 2]),
        "mismatch": ([b'<a><VisuXMLError>e</VisuXMLError></a>'], b'<b/>', [3, 0x7f, 0x7f, 0x7f, 0x80, 0, 3]),
        "nan": ([b'<a x="nan" y="1e308"/>'], b'<a x="nan" y="-1e308"/>', [2, 2, 1, 0, 1, 1, 1, 1, 0]),
    }
    for name, (strings, rest, numbers) in cases.items():
        front = b"".join(s + b"\\x" for s in strings)
        numbers = numbers[:1] + [0] + numbers[1:]
        write("file_compare", name, front + rest + bytes(reversed(numbers)))
        numbers[1] = 128 + 4
        write("file_compare", name + "-failing",
              front + rest + bytes(reversed(numbers)))


# Operation numbers of the stream target, in its order.
(CREATE_ATTRIBUTE, CREATE_MARKUP, ATTACH_ATTRIBUTE, ATTACH_MARKUP, REGROUP,
 OPEN, SET_VALUE, SET_NUMBER, SET_TEXT, CLOSE, TAKE_TREE, TEAR_DOWN) = range(12)
SCENE, CAMERA, LIGHT, OBJECT, GROUP, ERROR = range(6)
NAME, VISIBLE, SIZE, COLOR, X = range(5)


def stream_seeds():
    grammar = [
        CREATE_ATTRIBUTE, NAME, 1, 0,
        CREATE_ATTRIBUTE, VISIBLE, 1, 0,
        CREATE_ATTRIBUTE, SIZE, 1, 2,
        CREATE_MARKUP, SCENE, 1,
        CREATE_MARKUP, CAMERA, 0, 1, 1,
        CREATE_MARKUP, LIGHT, 0, 1, 1,
        CREATE_MARKUP, OBJECT, 0, 1, 1,
        ATTACH_ATTRIBUTE, SCENE, NAME, 1, 0,
        ATTACH_ATTRIBUTE, OBJECT, NAME, 1, 0,
        ATTACH_ATTRIBUTE, OBJECT, VISIBLE, 1, 1,
        ATTACH_ATTRIBUTE, OBJECT, SIZE, 1, 3,
        ATTACH_MARKUP, SCENE, CAMERA, 1, 0,
        ATTACH_MARKUP, SCENE, LIGHT, 1, 3,
        ATTACH_MARKUP, SCENE, OBJECT, 1, 1,
    ]
    # The worked example: Scene(Name=demo), Object, Camera out of order.
    # Version 6, no failing allocation; then the calls.
    example = [1, 0] + grammar + [
        OPEN, SCENE, SET_VALUE, NAME, OPEN, OBJECT, SET_VALUE, VISIBLE,
        CLOSE, 1, OPEN, CAMERA, CLOSE, 1, CLOSE, 1, TAKE_TREE, TEAR_DOWN,
    ]
    write("markup_stream", "worked-example",
          provider_input([b"demo", b"1"], example))
    # Grouped sub-markups, texts and a mismatched close.
    grouped = [0, 0] + grammar + [
        REGROUP, SCENE, 2, LIGHT, CAMERA, 1, 1,
        OPEN, SCENE, SET_TEXT, OPEN, LIGHT, CLOSE, 1, OPEN, CAMERA,
        OPEN, OBJECT, CLOSE, 0, SCENE, CLOSE, 1, CLOSE, 1,
    ]
    write("markup_stream", "grouped",
          provider_input([b"a <text> & more"], grouped))
    # Markups left open when everything is torn down, then a new grammar.
    abandoned = [1, 0] + grammar + [
        OPEN, SCENE, OPEN, OBJECT, OPEN, GROUP, TEAR_DOWN,
        CREATE_MARKUP, GROUP, 1, OPEN, GROUP, OPEN, GROUP, CLOSE, 1, CLOSE, 1,
    ]
    write("markup_stream", "abandoned", provider_input([], abandoned))
    # The worked example with the 40th nothrow allocation failing.
    write("markup_stream", "worked-example-failing",
          provider_input([b"demo", b"1"], [1, 128 + 39] + example[2:]))


if __name__ == "__main__":
    parser_seeds()
    compare_seeds()
    stream_seeds()
