# Reads what the compiler printed for one source compiled with -H (the
# include tree: one dot per level, then the header's path) and prints what
# counts against the source:
# - every diagnostic (errors, warnings and their context lines), as printed;
# - an error for each header that MinGW-w64 provides but MSVC does not
#   (unistd.h and the like) when one of our own files includes it, since a
#   MinGW compile would let it pass and an MSVC build would fail on it.
# The list of headers that would profit from include guards, which -H adds
# at the end, is dropped.
#   awk -v root=SOURCE_DIR -v build=BUILD_DIR -v source=SOURCE -f compiler_output.awk
/^\.+ / {
  depth = index($0, " ") - 1
  header = substr($0, depth + 2)
  tree[depth] = header
  parent = depth == 1 ? "" : tree[depth - 1]
  ours = parent == "" || (index(parent, root "/") == 1 && index(parent, build "/") != 1)
  if (ours && header ~ /\/(mingw-w64|x86_64-w64-mingw32)\/include\/(unistd|dirent|pthread|strings|libgen|getopt|sched|semaphore|sys\/time|sys\/param)\.h$/) {
    name = header
    sub(/.*\/include\//, "", name)
    print (parent == "" ? root "/" source : parent) ": error: includes <" name ">, which MinGW-w64 has and MSVC does not"
  }
  next
}
/^Multiple include guards may be useful for:$/ { guards = 1; next }
guards && /^[^ :]+$/ { next }
{ print }
