// A library that leaves a mark in its process when it is loaded: its constructor runs at
// load time, before anyone looks up an entry point. It appends the file it was loaded from
// to CORVO_MARKERKIT_LOADED (':'-separated), so tests can load copies of it under their
// own names and tell which were loaded.

#include <dlfcn.h>

#include <cstdlib>
#include <string>

namespace {

__attribute__((constructor)) void leaveMark()
{
    Dl_info info{};
    const char* file =
        dladdr(reinterpret_cast<void*>(&leaveMark), &info) && info.dli_fname ? info.dli_fname : "?";
    const char* before = getenv("CORVO_MARKERKIT_LOADED");
    const std::string marks = before ? std::string(before) + ":" + file : std::string(file);
    setenv("CORVO_MARKERKIT_LOADED", marks.c_str(), 1);
}

} // namespace
