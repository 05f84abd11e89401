#pragma once

namespace kbs {

// Command ids of the menu, accelerators and tool bar. The numbers are kept because they
// identify the same commands across all three programs.
namespace cmd {
inline constexpr int About = 16;
inline constexpr int ShowSelect = 32771;
inline constexpr int ShowMsw1 = 32773;
inline constexpr int ShowMsw2 = 32778;
inline constexpr int ShowMsw3 = 32779;
inline constexpr int ShowMsw4 = 32780;
inline constexpr int LoadFile = 32781;
inline constexpr int SaveFile = 32782;
inline constexpr int Exit = 32783;
inline constexpr int Send = 32784;
inline constexpr int FactoryDefaults = 32785;
inline constexpr int SelectPrinter = 32798;
inline constexpr int ShowParam = 32801;
inline constexpr int ShowParam2 = 32802;
inline constexpr int ShowForm = 32804;
inline constexpr int DataCheck = 32805;
inline constexpr int Help = 32806;
inline constexpr int HelpKbs18t = 32807;
inline constexpr int ShowMsw5Kbs18t = 32808;
inline constexpr int ShowMsw5Kbs62d = 32811;
inline constexpr int ShowMsw5Kbs18r = 32812;
} // namespace cmd

// Tool bar twins of the file, send, defaults and printer commands.
namespace toolbar {
inline constexpr int LoadFile = 2000;
inline constexpr int SaveFile = 2001;
inline constexpr int Send = 2002;
inline constexpr int FactoryDefaults = 2003;
inline constexpr int SelectPrinter = 2004;
} // namespace toolbar

} // namespace kbs
