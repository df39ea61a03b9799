#!/bin/sh
# The layers of the source tree, lowest first: a file includes only headers
# of its own folder and of the folders below it. A folder's line names the
# folders it may include; an include of any other is reported with its file
# and line, and the check fails.
#
# Usage: check_layers.sh SOURCE_DIR
set -eu
cd "$1"

layers='
engine/text     text
engine/model    text model
engine/solver   text model solver
engine/section  text model section
app/document    text model document
app/results     text model solver section document results
app/platform    platform
app/canvas      text model document results platform canvas
app/dialogs     text model solver document results platform dialogs
app/batch       text model solver section document results platform canvas batch
app/editor      text model solver section document results platform canvas dialogs editor
'

status=0
echo "$layers" | while read -r folder allowed; do
    [ -n "$folder" ] || continue
    pattern=$(echo "$allowed" | sed 's/ /|/g')
    if grep -rnE '#include "[a-z_]+/' "$folder" | grep -vE "#include \"($pattern)/"; then
        echo "check_layers: $folder includes a layer above it (allowed: $allowed)" >&2
        exit 1
    fi
done || status=1
exit $status
