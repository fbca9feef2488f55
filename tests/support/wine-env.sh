# Sourced by the Wine helpers: a quiet Wine that never tries to download anything.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
