#pragma once
// The help pages the program opens: topic N is the page N.html of the language's help folder.
namespace korvant::help_topic {

inline constexpr int HowToPlay = 10;
inline constexpr int Science = 80;
inline constexpr int Generals = 100;
inline constexpr int BorderGuard = 120;
inline constexpr int About = 160;
inline constexpr int NetworkGame = 170;

// Every topic above: each is a page in every language's help folder.
inline constexpr int All[] = {HowToPlay, Science, Generals, BorderGuard, About, NetworkGame};

}  // namespace korvant::help_topic
