#include "variants/kbs18t/kbs18t_variant.h"

#include <iostream>

int main()
{
    std::cout << kbs::kbs18t::variant().windowTitle << '\n';
    return 0;
}
