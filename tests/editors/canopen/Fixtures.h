#pragma once
#include "common/FileSystem.h"

#include <string>

inline namespace zz {

// The committed workbooks of these tests, made from their .fods sources by
// scripts/make-fixtures.sh.
inline std::string FixturePath(const std::string& name)
{
    return std::string(ZZ_CANOPEN_FIXTURES) + "/" + name;
}

inline std::string FixtureBytes(const std::string& name)
{
    return ReadFileBytes(FixturePath(name));
}

} // namespace zz
