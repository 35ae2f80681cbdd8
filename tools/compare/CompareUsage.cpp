#include "CompareOptions.h"

namespace {

const char kUsage[] =
    "Usage: visuxml-compare [OPTION]... REFERENCE OUTPUT\n"
    "  or:  visuxml-compare [OPTION]... REF_DIR OUT_DIR\n"
    "Compares two XML dumps the way a replay compares a dump with its\n"
    "reference. Prints one line per difference, its place and the report's\n"
    "message, then a summary; prints nothing when the dumps are the same.\n"
    "A file named - is read from standard input. Given two directories,\n"
    "compares every NAME_Out_N.xml of OUT_DIR with NAME_Ref_N.xml of\n"
    "REF_DIR, each pair that differs under a header, then counts them.\n"
    "\n"
    "  -R, --real=NAME          compare attribute NAME as a real number\n"
    "                           (repeatable)\n"
    "  -n, --real-all-numeric   compare as real numbers every attribute whose\n"
    "                           values in both files all are plain decimals\n"
    "                           (sign, digits, fraction, exponent)\n"
    "  -d, --dump-version=N     compare reals by the tolerance of dump\n"
    "                           version N (a positive integer; 1 absolute,\n"
    "                           2 relative, any other the mixed rule);\n"
    "                           default: VISU_XML_DUMP_VERSION, else 6\n"
    "  -a, --abs-tolerance=X    reals agree when |R-O| <= X\n"
    "  -r, --rel-tolerance=Y    reals agree when |R-O| <= Y*|R|; with both,\n"
    "                           when either holds; both replace the rule of\n"
    "                           the dump version\n"
    "      --report=FILE        write the XML error report to FILE, as a\n"
    "                           failed replay writes it (two files only)\n"
    "      --junit=FILE         write the outcome as JUnit XML to FILE, one\n"
    "                           testcase per compared dump\n"
    "      --html=FILE          write the differences of every compared dump\n"
    "                           to FILE as one HTML page for a browser\n"
    "  -q, --quiet              print nothing on standard output; the exit\n"
    "                           status tells\n"
    "  -s, --report-identical-files\n"
    "                           say so when the dumps are the same\n"
    "  -h, --help               show this text\n"
    "  -V, --version            show the version\n"
    "      --                   end of the options\n"
    "\n"
    "Exit status: 0 the same, 1 different, 2 trouble.\n"
    "See visuxml-compare(1) for the output format.\n";

}  // namespace

const char* CompareUsageText() { return kUsage; }
