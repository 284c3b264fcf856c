# Sourced by benchmarks: a RAM disk (a folder in /dev/shm) as drive R: of the private prefix, so
# the disk's own time (its journal, other programs' writes) does not hide what the code costs.
# make_ram_drive sets RAM_FOLDER (the Linux folder of R:\); remove_ram_drive takes both away.
RAM_FOLDER=
RAM_LINK=

make_ram_drive() {
  RAM_LINK="$WINEPREFIX/dosdevices/r:"
  if [ -e "$RAM_LINK" ] || [ -L "$RAM_LINK" ]; then
    echo "drive R: is taken in the prefix" >&2
    RAM_LINK=
    return 1
  fi
  RAM_FOLDER=$(mktemp -d /dev/shm/scourwell-bench.XXXXXX)
  ln -s "$RAM_FOLDER" "$RAM_LINK"
}

remove_ram_drive() {
  [ -n "$RAM_LINK" ] && rm -f "$RAM_LINK"
  [ -n "$RAM_FOLDER" ] && rm -rf "$RAM_FOLDER"
  RAM_LINK=
  RAM_FOLDER=
  return 0
}
