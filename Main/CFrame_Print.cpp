// The frame's part of the print script: a picture frame names its picture,
// a frame with tables puts its cells into numbered frames of the form.
#include "Main/CErrorTrace.h"
#include "Main/CFrame.h"
#include "Main/CTableCell.h"
#include "Main/CTablePart.h"
#include "mfc/CFile.h"

namespace {

constexpr int ERR_NO_PICTURE = 459;
constexpr int ERR_NOT_DEFINED = 461;

void WriteLine(CFile& file, const CString& line) { file.Write(line, static_cast<UINT>(line.GetLength())); }

CString FrameName(const char* prefix, int number) {
  CString name;
  name.Format("%s%02d", prefix, number);
  return name;
}

}  // namespace

BOOL CFrame::WriteViewScript(CFile& file, const char* frameName) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  if (m_defined == 0) {
    node->Fail(__LINE__, SEVERITY_ERROR, ERR_NOT_DEFINED, "", 0);
    return FALSE;
  }
  CString picture;
  if (!GetFirstPictureName(picture)) {
    node->Fail(__LINE__, SEVERITY_ERROR, ERR_NO_PICTURE, "", 0);
    return FALSE;
  }
  CString line;
  line.Format("VIEW FRAME %s STATIC TIFF \"%s\" XCEN YCEN\r\n", frameName, static_cast<const char*>(picture));
  WriteLine(file, line);
  WriteLine(file, "\r\n");
  CErrorTrace::Remove(node);
  return TRUE;
}

BOOL CFrame::WritePrintScript(CFile& file, const char* headPrefix, const char* bodyPrefix) {
  if (m_defined == 0) return FALSE;
  int headNumber = 0;
  int bodyNumber = 0;
  const CTablePart* lastFixed = nullptr;
  for (int i = 0; i < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    const CTablePart* part = child.Part();
    if (part == nullptr) continue;
    if (child.kind == CHILD_HEAD_TABLE) {
      lastFixed = part;
      headNumber += WriteTablePart(file, *part, part, headPrefix, headNumber);
      continue;
    }
    CTablePart* header = nullptr;
    if (lastFixed != nullptr && FindHeadTable(part, header) && header == lastFixed) {
      bodyNumber += WriteTablePart(file, *part, lastFixed, bodyPrefix, bodyNumber);
    } else {
      headNumber += WriteTablePart(file, *part, lastFixed != nullptr ? lastFixed : part, bodyPrefix, headNumber);
      bodyNumber = headNumber;
    }
  }
  return TRUE;
}

// Writes the rows of part into the frames prefix first + 1, first + 2, ...,
// one for each column that columnsOf shows; returns how many it numbered.
int CFrame::WriteTablePart(CFile& file, const CTablePart& part, const CTablePart* columnsOf, const char* prefix,
                           int first) {
  std::vector<int> shown;
  for (int c = 0; c < part.m_column_count; ++c) {
    const std::vector<TableColumn>& columns =
        c < static_cast<int>(columnsOf->m_columns.size()) ? columnsOf->m_columns : part.m_columns;
    if (columns[static_cast<size_t>(c)].IsShown()) shown.push_back(c);
  }
  CString text;
  if (part.RowCount() == 1) {
    for (size_t k = 0; k < shown.size(); ++k) {
      part.Cell(0, shown[k])->GetVodText(text);
      CString line;
      line.Format("PRINT FRAME %s STATIC %s\r\n", static_cast<const char*>(FrameName(prefix, first + static_cast<int>(k) + 1)),
                  static_cast<const char*>(text));
      WriteLine(file, line);
    }
  } else {
    for (int row = 0; row < part.RowCount(); ++row) {
      CString head = "DATA FRAME";
      for (size_t k = 0; k < shown.size(); ++k) head += " " + FrameName(prefix, first + static_cast<int>(k) + 1);
      WriteLine(file, head + " LINECOUNT 1 BEGIN\r\n");
      for (int column : shown) {
        part.Cell(row, column)->GetVodText(text);
        WriteLine(file, text + "\r\n");
      }
      WriteLine(file, "END\r\n");
    }
  }
  WriteLine(file, "\r\n");
  return part.RowCount() > 0 ? static_cast<int>(shown.size()) : 0;
}
