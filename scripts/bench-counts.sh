# Read by the benchmark scripts with their arguments: the counts before "--" go into counts,
# the benchmark's own arguments after it into args.
counts=()
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --) shift; args=("$@"); break ;;
    *) counts+=("$1"); shift ;;
  esac
done
