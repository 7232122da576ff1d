// Where the rendered pages go: a printer, the preview window, a recorded
// page list or a caller's context. The target starts the output document,
// gives the drawing its contexts, page metrics and printable offset, and
// takes each finished page.
#pragma once

namespace vod {

class VodContext;

class VodPageTarget {
 public:
  virtual ~VodPageTarget() = default;
  virtual bool IsOpen() const = 0;
  // Starts the output document; afterwards the drawing has its contexts and
  // the page metrics are known. False when the output cannot be had (the
  // target has reported why, unless the job was cancelled).
  virtual bool Open(VodContext& context) = 0;
  // Before the first drawing of each page.
  virtual bool BeginPage(VodContext& context) = 0;
  // Hands the drawn page to the output.
  virtual bool OutputPage(VodContext& context) = 0;
  // Ends the document (aborts it when the job state says so) and closes the
  // output; the target may be opened again for the next job.
  virtual void Close(VodContext& context) = 0;
};

}  // namespace vod
