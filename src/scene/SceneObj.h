// The base of every scene object: identity, the file the object was made from, its name and the
// result of making it from that file.
#pragma once

#include "core/Pointers.h"
#include "core/XString.h"

class SceneObj : public Myself {
  DECLARE_SERIAL(SceneObj)
 public:
  // Result of making an object from its file.
  enum Error : LONG { none = 0, damagedFile = 1, noObjectInFile = 2, fileNotFound = 3, converterNotStarted = 4 };

  // An object that comes from no file.
  SceneObj();
  // An object made from `path`, named after the file's title.
  explicit SceneObj(const char* path);

  const XString& GetFile() const { return file; }
  void SetFile(const char* path) { file = path; }
  LONG GetError() const { return error; }

  // The file of every object that comes from no file; compared exactly.
  static const char* NotFromFile();
  BOOL IsFromFile() const { return !(file == NotFromFile()); }

  void Serialize(CArchive& ar) override;
  virtual void SetName(const CString& newName);
  virtual const CString& GetName() const;

 protected:
  // Storing: the schema word of the most derived class, which must be versionable. Loading: a
  // schema word, refused when its version is newer than that class's.
  void SerializeSchema(CArchive& ar);
  // Groups and lights never come from a file. Storing one that does is a program error; a stored
  // record that names a file is damaged.
  void RequireNotFromFile(CArchive& ar) const;

  XString file;
  CString name;
  LONG error = none;
};
