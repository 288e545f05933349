#!/usr/bin/env bash
# Takes Clipnest out of this user's application menu again: the entry and the icons that
# add-to-menu.sh put there. The program's folder stays as it is.
set -euo pipefail

data=${XDG_DATA_HOME:-}
[[ $data == /* ]] || data=$HOME/.local/share
entry=$data/applications/clipnest.desktop

icons=$data/icons/hicolor
was_there=no
[ -e "$entry" ] && was_there=yes
rm -f "$entry" "$icons/48x48/apps/clipnest.png" "$icons/256x256/apps/clipnest.png"
if [ "$was_there" = yes ]; then
  echo "Clipnest is no longer in the application menu."
else
  echo "Clipnest was not in the application menu."
fi
