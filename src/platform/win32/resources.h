// What the program carries inside its exe: string resources, raw resource data, and its name,
// version and folder.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The stored text of string resource `id`, converted to the 8-bit character set; empty when missing.
std::string LoadResString(int id);

// The bytes of an RCDATA resource (they live as long as the program); empty when missing.
std::string_view ResourceData(const char* name);

// The number of the program's icon group.
inline constexpr int kProgramIconId = 1;

struct AppVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The application's title ("Catalog"), by which messages name the program.
std::string ApplicationTitle();
// Major, minor and revision from the exe's version resource.
AppVersion ApplicationVersion();
// The folder that holds the program's executable, without a trailing backslash.
std::string ApplicationFolder();

}  // namespace platform
