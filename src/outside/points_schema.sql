-- The points database: one row per event, per person, and per result of a
-- person in a class of an event.
CREATE TABLE EVENT (
  ID TEXT PRIMARY KEY,
  NAME TEXT,
  TERRAIN TEXT,
  EVENT_DATE TEXT
);

CREATE TABLE PERSON (
  ID TEXT PRIMARY KEY,
  NAME TEXT,
  CLUB TEXT,
  SEX TEXT
);

-- No uniqueness: one runner may run two classes of one event.
CREATE TABLE RESULT (
  EVENT_ID TEXT,
  PERSON_ID TEXT,
  CLASS TEXT,
  PLACE TEXT,
  RESULT TEXT,
  POINT REAL
);

CREATE INDEX RESULT_EVENT_ID ON RESULT (EVENT_ID);
CREATE INDEX RESULT_PERSON_ID ON RESULT (PERSON_ID);
