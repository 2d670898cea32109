#pragma once
// The layout of the record file, version by version. Texts of the word lists are BLOBs of
// their CP932 bytes, each question's held once; dates are local dates as days since
// 1970-01-01; moments are seconds since 1970 UTC; forms, outcomes and endings are the codes of
// record_names.h. An answer belongs to the day its run started on.
#include <array>

// kMigrations[v] brings a record of version v to version v + 1 (version 0: an empty file).
inline constexpr std::array<const char*, 2> kMigrations = {
    R"sql(
CREATE TABLE runs(
  id INTEGER PRIMARY KEY,
  started INTEGER NOT NULL,
  day INTEGER NOT NULL,
  file BLOB NOT NULL,
  count INTEGER NOT NULL,
  hint INTEGER NOT NULL,
  complete INTEGER NOT NULL,
  time_limit INTEGER NOT NULL,
  review INTEGER NOT NULL,
  ended INTEGER,
  right_count INTEGER NOT NULL DEFAULT 0,
  rate REAL NOT NULL DEFAULT 0);
CREATE INDEX runs_by_file ON runs(file);
CREATE INDEX runs_by_day ON runs(day);
CREATE TABLE run_genres(
  run INTEGER NOT NULL REFERENCES runs(id),
  place INTEGER NOT NULL,
  name BLOB NOT NULL,
  PRIMARY KEY(run, place)) WITHOUT ROWID;
CREATE TABLE questions(
  id INTEGER PRIMARY KEY,
  genre BLOB NOT NULL,
  question BLOB NOT NULL,
  box INTEGER NOT NULL,
  right_count INTEGER NOT NULL,
  wrong_count INTEGER NOT NULL,
  last INTEGER NOT NULL,
  due INTEGER NOT NULL);
CREATE UNIQUE INDEX questions_by_text ON questions(genre, question);
CREATE TABLE answers(
  run INTEGER NOT NULL REFERENCES runs(id),
  seq INTEGER NOT NULL,
  place INTEGER NOT NULL,
  question INTEGER NOT NULL REFERENCES questions(id),
  form INTEGER NOT NULL,
  outcome INTEGER NOT NULL,
  given BLOB NOT NULL,
  ms INTEGER NOT NULL,
  PRIMARY KEY(run, seq)) WITHOUT ROWID;
CREATE TABLE settings(
  key TEXT PRIMARY KEY,
  value BLOB NOT NULL) WITHOUT ROWID;
)sql",
    // The record window pages the questions by weakness and asks which word list answered them.
    R"sql(
CREATE INDEX IF NOT EXISTS questions_by_weakness ON questions(box, wrong_count DESC);
CREATE INDEX IF NOT EXISTS answers_by_question ON answers(question);
)sql",
};
