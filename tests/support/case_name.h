// Names parameterised GoogleTest cases after the `name` member of their row.
#pragma once

#include <string>

struct CaseName {
    template <typename Param>
    std::string operator()(const Param& row) const {
        return std::string(row.param.name);
    }
};
