#pragma once

namespace tavlen {

class ApplicationDirectory;
class Clock;
class FileLocations;
class FileSystem;
class KeyboardLayout;
class UserDefaultsStore;

// The platform services one process works with. The real set lives in linux/, the fake set in
// fake/; logic receives the services it needs from here and never asks which set it has.
struct Platform {
    Clock& clock;
    FileLocations& locations;
    FileSystem& files;
    UserDefaultsStore& defaults;
    ApplicationDirectory& applications;
    KeyboardLayout& keyboard;
};

} // namespace tavlen
