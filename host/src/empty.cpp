// Stands in for a service folder that has no sources yet, so its library target exists.
namespace {
[[maybe_unused]] constexpr int kEmptyService = 0;
}
