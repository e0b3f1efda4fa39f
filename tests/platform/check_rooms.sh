#!/usr/bin/env bash
# The real platform's rooms keep their doors: a file outside a room includes only the room's door
# header (src/platform/real/ROOM/ROOM.h), never its other headers; only the room's own tests and
# the fuzzers, which drive its codecs directly, look inside. And the rooms use each other without
# a circle. Prints each breach and exits 1 when there is any.
#   bash tests/platform/check_rooms.sh [SOURCE_TREE]
set -u
tree=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$tree" || exit 2
status=0
edges=""
breach() { echo "$1"; status=1; }

while IFS=: read -r file include; do
  header=${include#platform/real/}
  room=${header%%/*}
  name=${header#*/}
  [ "$room" = "$header" ] && continue  # a header of no room
  case "$file" in
    src/platform/real/"$room"/* | tests/platform/real/"$room"/* | fuzz/*) continue ;;
  esac
  [ "$name" = "$room.h" ] || breach "$file includes $include, inside the room $room (its door is platform/real/$room/$room.h)"
  case "$file" in
    src/platform/real/*/*) from=${file#src/platform/real/}; edges+="${from%%/*} $room"$'\n' ;;
  esac
done < <(grep -rEo --include='*.cpp' --include='*.h' '#include "platform/real/[^"]+"' src tests bench fuzz |
  sed -E 's/:#include "(.*)"$/:\1/')

if ! loop=$(tsort <<<"$edges" 2>&1 >/dev/null) || [ -n "$loop" ]; then
  breach "the rooms use each other in a circle:"$'\n'"$loop"
fi
rooms=$(find src/platform/real -mindepth 1 -maxdepth 1 -type d -printf '%f\n' | sort)
for room in $rooms; do
  [ -f "src/platform/real/$room/$room.h" ] || breach "the room $room has no door header src/platform/real/$room/$room.h"
done
[ $status -eq 0 ] && echo "rooms: $(echo $rooms): every include goes through a door, no circle"
exit $status
