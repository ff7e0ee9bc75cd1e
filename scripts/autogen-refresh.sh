# Sourced after configuring: an incremental Ninja build does not re-run Qt's
# moc step when a new header joins a globbed target, so the step's stamp is
# dropped whenever the target's moc information is newer than it.
autogen_refresh() {
  local info stamp
  while IFS= read -r info; do
    stamp="$(dirname "$(dirname "$(dirname "$info")")")/$(basename "$(dirname "$info")" .dir)/timestamp"
    if [ -f "$stamp" ] && [ "$info" -nt "$stamp" ]; then
      rm -f "$stamp"
    fi
  done < <(find "$1" -path '*_autogen.dir/AutogenInfo.json' 2>/dev/null)
}
