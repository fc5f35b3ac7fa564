#!/usr/bin/env bash
# scripts/check-model-writes finds a view that writes a model field inside an
# edit, and lets engine calls, reads and writes outside edits pass.
#   model_writes.sh SOURCE
. "$(dirname "$0")/snippet_checks.sh" "$1" check-model-writes view.cpp

check FLAGGED 'void f() { ws.playlist.edit(n, [&](TMPLS& m) { m.playback_type = 1; }); }'
check FLAGGED 'void f() { doc.edit(n, [&](TMPLS& m) { m.marks.marks[row].type = std::uint8_t(i + 1); }); }'
check FLAGGED 'void f() { doc.edit(n, [&](TCLPI& c) {
  c.clip_info.TS_recording_rate = v;
}); }'
check FLAGGED 'void f() { doc.edit(n, [&](TMPLS& m) { std::uint8_t& f = on ? m.audio_mix_flag : m.bypass_mixer_flag; f = 1; }); }'
check FLAGGED 'void f() { doc.edit(n, [&](TMPLS& m) { ++m.playback_count; }); }'
check FLAGGED 'void f() { doc.edit(n, [&](TMPLS& m) { m.uo_mask1 |= 4; }); }'
check FLAGGED 'void f() { ctx_.document().edit(mirdal::ChangeNotice::rows(MenuPart::Page, 0), [&](mirdal::TMenu& m) { m.ics.pages[0].uo_mask1 = 0; return true; }); }'
check PASSES 'void f() { doc.edit(n, [&](TMPLS& m) { return setMarkType(m, row, t); }); }'
check PASSES 'void f() { doc.edit(n, [&](TMPLS& m) { return m.playback_type == 1 && m.uo_mask1 != 2; }); }'
check PASSES 'void f() { doc.edit(n, [&](TMPLS& m) { const auto& k = m.marks; return insertMark(m, k.marks[0]); }); }'
check PASSES 'void f() { doc.edit(n, [&](TMPLS& m) { int v = 0; v = m.playback_count; return setPlaybackCount(m, v); }); }'
check PASSES 'void f() { ws.options.autoFit = true; m.x = 2; }'
check PASSES 'void f() { doc.edit(n, [&](TMPLS& m) { /* m.playback_type = 1; */ return setPlaybackType(m, t); }); }'

# The tree itself has no such write.
checkTree "the tree writes model fields in views"
exit $((failures > 0))
