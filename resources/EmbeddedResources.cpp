// The resource data itself is compiled by rcc from the files generated in
// this folder's build directory; this unit only gives the library a body.
namespace quorvel {
extern const char kEmbeddedResourcesLibrary[];
const char kEmbeddedResourcesLibrary[] = "quorvel_resources";
}  // namespace quorvel
