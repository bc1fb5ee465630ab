#include "about/contact_lines.h"

namespace duct {

// Windows has no manual pages: the usage page ships beside the program, in the zip and in the
// installed folder, and names the address.
QString ContactLines() {
  return QStringLiteral(
      "使用说明：见程序文件夹中的 usage.txt。\n"
      "问题与建议：请寄往该文件所列的地址。");
}

}  // namespace duct
