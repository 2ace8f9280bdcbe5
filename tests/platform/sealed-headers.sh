#!/bin/sh
# The platform's public headers are plain C++: everything above the platform builds on them
# without Qt. Fails, naming the lines, when one of them names a Qt class, macro or namespace,
# or includes a Qt header (forward declarations count too). Qt belongs in platform/qt/.
dir=${1:?usage: sealed-headers.sh PLATFORM_DIR}
hits=$(grep -nE '#[[:space:]]*include[[:space:]]*<Q|\bQ[A-Z][A-Za-z0-9_]*|\bQt::|\bQ_[A-Z]' \
    "$dir"/*.h)
if [ -n "$hits" ]; then
    echo "Qt named in a public header of the platform:"
    echo "$hits"
    exit 1
fi
echo "$(ls "$dir"/*.h | wc -l) public headers, none names Qt"
