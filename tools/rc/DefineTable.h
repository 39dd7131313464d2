// The #define'd names of a script and its headers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/rc/Token.h"

namespace kq::rc {

struct Define {
    std::vector<Token> body;
    Location where;
    bool functionLike = false;      // NAME(args): kept so #ifdef sees it, but it has no value
    std::optional<uint32_t> value;  // the body's value once computed
    bool evaluating = false;        // guards against a name defined through itself
};

class DefineTable {
  public:
    // Adds a name. Defining it again is harmless with the same body and a fault otherwise.
    void Add(const std::string& name, Define define);
    Define* Find(const std::string& name);
    bool Has(const std::string& name) const { return defines_.count(name) != 0; }

  private:
    std::unordered_map<std::string, Define> defines_;
};

}  // namespace kq::rc
