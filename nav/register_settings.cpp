#include "nav/register_settings.h"

#include <string>

namespace mirdal {

RegisterSettings parseRegisterSettings(std::string_view text) {
  RegisterSettings r;
  LineScanner s(text);
  try {
    for (;;) {
      s.skipBlanks();
      const ScannedValue reg = s.value("expected a register such as GPR6 or PSR10");
      if (reg.kind == ScannedValue::Kind::Number)
        s.fail(reg.column, "expected a register such as GPR6 or PSR10, not '" + std::string(s.wordAt(reg.column)) + "'");
      s.skipBlanks();
      if (!s.accept('=')) s.fail(s.pos(), "expected '=' and a value after " + std::string(text.substr(reg.column, reg.end - reg.column)));
      s.skipBlanks();
      const ScannedValue v = s.value("expected a number after '='");
      if (v.kind != ScannedValue::Kind::Number)
        s.fail(v.column, "expected a number after '=', not '" + std::string(s.wordAt(v.column)) + "'");
      r.settings.push_back({reg.kind == ScannedValue::Kind::PSR, reg.value, v.value});
      s.skipBlanks();
      if (s.atEnd()) break;
      if (!s.accept(',')) s.fail(s.pos(), "expected ',' or the end, not '" + std::string(s.wordAt(s.pos())) + "'");
    }
  } catch (TextError& e) {
    r.settings.clear();
    r.error = std::move(e);
  }
  return r;
}

void applyRegisterSettings(Registers& regs, const std::vector<RegisterSetting>& settings) {
  for (const RegisterSetting& s : settings) {
    if (s.psr && s.number < kPsrCount) regs.psr[s.number] = s.value;
    else if (!s.psr && s.number < kGprCount) regs.gpr[s.number] = s.value;
  }
}

}  // namespace mirdal
