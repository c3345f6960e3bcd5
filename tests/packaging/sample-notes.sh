#!/bin/sh
# Installs into a scratch prefix and starts the menu's start script there, with a stand-in
# launcher: both sample notes reach the working folder, also one an older Tarvik made with
# the Korean note alone, and a note the user changed stays as it is.
set -eu
cmake=$1 build=$2 scratch=$3
rm -rf "$scratch"
"$cmake" --install "$build" --prefix "$scratch/usr" >/dev/null
printf '#!/bin/sh\n' >"$scratch/usr/bin/TarvikStart"
chmod +x "$scratch/usr/bin/TarvikStart"
HOME="$scratch/home" "$scratch/usr/bin/tarvik-start"
for note in AccNote.rtf AccNote_en.rtf; do
    cmp "$scratch/usr/share/tarvik/$note" "$scratch/home/Tarvik/$note"
done
rm "$scratch/home/Tarvik/AccNote_en.rtf"
echo changed >"$scratch/home/Tarvik/AccNote.rtf"
HOME="$scratch/home" "$scratch/usr/bin/tarvik-start"
cmp "$scratch/usr/share/tarvik/AccNote_en.rtf" "$scratch/home/Tarvik/AccNote_en.rtf"
[ "$(cat "$scratch/home/Tarvik/AccNote.rtf")" = changed ]
