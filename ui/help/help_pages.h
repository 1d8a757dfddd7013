// Where the page buttons of the help window go. The manual and the page on the method ship
// inside the program and work offline; the other two are the web site's.
#pragma once

inline constexpr const char *kHowToUseAddress = "qrc:/kest/manual/index.html";
inline constexpr const char *kReferencesAddress = "qrc:/kest/manual/theory.html";
inline constexpr const char *kLatestInformationAddress = "https://www.example.org/kest/download/";
inline constexpr const char *kLaboratoryAddress = "https://www.example.org/laboratory/";
