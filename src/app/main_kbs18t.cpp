#include "app/main_app.h"
#include "variants/kbs18t/kbs18t_variant.h"

int main(int argc, char** argv)
{
    return kbs::runApplication(kbs::kbs18t::variant(), argc, argv);
}
