#!/bin/bash
# The program and its framework see only each other and the C++ standard
# library: no toolkit and no operating-system header. That is what lets the
# same dialogs run in a real window, in the scripted tests, and on another
# platform. Usage: layering_test.sh <source root>
set -u
cd "$1" || exit 2

# Quoted includes: project headers from the layers below.
# Angle includes: standard headers, which have no ".h" and no folder
# (the C library's come as <cstdio> and the like).
bad=$(grep -rnE '^[[:space:]]*#[[:space:]]*include' app convert framework |
  grep -vE '#[[:space:]]*include[[:space:]]+"(app|convert|framework|res)/[^"]+"' |
  grep -vE '#[[:space:]]*include[[:space:]]+<[a-z_]+>')
if [ -n "$bad" ]; then
  echo "These includes reach past the framework:"
  echo "$bad"
  exit 1
fi
# The framework knows nothing of the program itself.
up=$(grep -rnE '#[[:space:]]*include[[:space:]]+"(app|convert)/' framework)
if [ -n "$up" ]; then
  echo "The framework includes the program:"
  echo "$up"
  exit 1
fi
echo "layering: app/, convert/ and framework/ include only project and standard headers"
