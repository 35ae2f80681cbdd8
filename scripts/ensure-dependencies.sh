# Sourced by the top-level scripts with what they need: "demo" (the build
# tools and Expat) or "all" (also the test and benchmark libraries). Makes
# sure those packages are present, installing them with apt-get when
# running as root.
visuxml_packages=(cmake g++ make libexpat1-dev)
if [[ "${1:-all}" != demo ]]; then
  visuxml_packages+=(libgtest-dev libgmock-dev libbenchmark-dev)
fi

visuxml_missing_packages() {
  local missing=()
  for package in "${visuxml_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
      || missing+=("$package")
  done
  echo "${missing[@]:-}"
}

missing=$(visuxml_missing_packages)
if [[ -n "$missing" ]]; then
  if [[ $(id -u) -eq 0 ]] && command -v apt-get >/dev/null; then
    echo "Installing missing packages: $missing"
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
  else
    echo "Missing packages: $missing" >&2
    echo "Install them with: sudo apt-get install -y $missing" >&2
    exit 1
  fi
fi
