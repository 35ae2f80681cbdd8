# Sourced by the top-level scripts with what they need: "demo" (the build
# tools and Expat) or "all" (also the test and benchmark libraries, Python
# and the browser the HTML page is tested in). Makes sure those packages
# are present, installing them with apt-get when running as root.
visuxml_packages=(cmake g++ make libexpat1-dev)
# Wanted, not required: the tests that need them skip, saying so, when they
# cannot be installed.
visuxml_wanted_packages=()
if [[ "${1:-all}" != demo ]]; then
  visuxml_packages+=(libgtest-dev libgmock-dev libbenchmark-dev python3)
  visuxml_wanted_packages+=(chromium)
fi

visuxml_missing_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
      || missing+=("$package")
  done
  echo "${missing[@]:-}"
}

visuxml_can_install() { [[ $(id -u) -eq 0 ]] && command -v apt-get >/dev/null; }

missing=$(visuxml_missing_packages "${visuxml_packages[@]}")
missing_wanted=$(visuxml_missing_packages "${visuxml_wanted_packages[@]}")
if [[ -n "$missing" ]] && ! visuxml_can_install; then
  echo "Missing packages: $missing" >&2
  echo "Install them with: sudo apt-get install -y $missing" >&2
  exit 1
fi
if [[ -n "$missing$missing_wanted" ]] && visuxml_can_install; then
  apt-get update -qq || true
fi
if [[ -n "$missing" ]]; then
  echo "Installing missing packages: $missing"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
fi
if [[ -n "$missing_wanted" ]]; then
  if visuxml_can_install; then
    echo "Installing missing packages: $missing_wanted"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing_wanted \
      || echo "Could not install $missing_wanted: the tests that need it will be skipped" >&2
  else
    echo "Not installed: $missing_wanted; the tests that need it will be skipped" \
         "(install it with: sudo apt-get install -y $missing_wanted)" >&2
  fi
fi
