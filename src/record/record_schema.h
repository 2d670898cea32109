#pragma once
// The layout of the record file, version by version. Texts of the word lists are BLOBs of
// their CP932 bytes; dates are local dates as "2026-12-07"; moments are seconds since 1970 UTC.
#include <array>

// kMigrations[v] brings a record of version v to version v + 1 (version 0: an empty file).
inline constexpr std::array<const char*, 2> kMigrations = {
    R"sql(
CREATE TABLE runs(
  id INTEGER PRIMARY KEY,
  started INTEGER NOT NULL,
  day TEXT NOT NULL,
  file BLOB NOT NULL,
  count INTEGER NOT NULL,
  hint INTEGER NOT NULL,
  complete INTEGER NOT NULL,
  time_limit INTEGER NOT NULL,
  review INTEGER NOT NULL,
  ended TEXT,
  right_count INTEGER NOT NULL DEFAULT 0,
  rate REAL NOT NULL DEFAULT 0);
CREATE INDEX runs_by_file ON runs(file);
CREATE TABLE run_genres(
  run INTEGER NOT NULL REFERENCES runs(id),
  place INTEGER NOT NULL,
  name BLOB NOT NULL,
  PRIMARY KEY(run, place)) WITHOUT ROWID;
CREATE TABLE answers(
  id INTEGER PRIMARY KEY,
  run INTEGER NOT NULL REFERENCES runs(id),
  place INTEGER NOT NULL,
  genre BLOB NOT NULL,
  question BLOB NOT NULL,
  form TEXT NOT NULL,
  outcome TEXT NOT NULL,
  given BLOB NOT NULL,
  ms INTEGER NOT NULL,
  answered INTEGER NOT NULL,
  day TEXT NOT NULL);
CREATE INDEX answers_by_run ON answers(run);
CREATE INDEX answers_by_day ON answers(day);
CREATE TABLE questions(
  genre BLOB NOT NULL,
  question BLOB NOT NULL,
  box INTEGER NOT NULL,
  right_count INTEGER NOT NULL,
  wrong_count INTEGER NOT NULL,
  last TEXT NOT NULL,
  due TEXT NOT NULL,
  PRIMARY KEY(genre, question)) WITHOUT ROWID;
CREATE TABLE settings(
  key TEXT PRIMARY KEY,
  value BLOB NOT NULL) WITHOUT ROWID;
)sql",
    // The record window pages the questions by weakness and asks which word list answered them.
    R"sql(
CREATE INDEX IF NOT EXISTS questions_by_weakness ON questions(box, wrong_count DESC);
CREATE INDEX IF NOT EXISTS answers_by_question ON answers(genre, question);
)sql",
};
