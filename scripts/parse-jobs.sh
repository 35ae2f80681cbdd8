# Sourced by the top-level scripts: the number of parallel jobs, from
# "-j N" or "-jN" on their command line, else CMAKE_BUILD_PARALLEL_LEVEL,
# else the number of cores.
visuxml_jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc 2>/dev/null || echo 2)}

# Reads a jobs option at the start of the arguments that follow the
# script's name: sets visuxml_jobs, and visuxml_jobs_consumed to the number
# of arguments it took; fails with a message for any other option.
visuxml_parse_jobs_option() {
  local script=$1
  shift
  case $1 in
    -j) visuxml_jobs=${2:-}; visuxml_jobs_consumed=$(($# < 2 ? 1 : 2)) ;;
    -j*) visuxml_jobs=${1#-j}; visuxml_jobs_consumed=1 ;;
    *) echo "$script: unknown option $1" >&2; return 1 ;;
  esac
}

# Fails with a message unless the number of jobs is a whole number above 0.
visuxml_check_jobs() {
  if [[ ! $visuxml_jobs =~ ^[1-9][0-9]*$ ]]; then
    echo "$1: the number of jobs (-j or CMAKE_BUILD_PARALLEL_LEVEL) must be a" \
         "whole number above 0, not '$visuxml_jobs'" >&2
    return 1
  fi
}
