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

-- No uniqueness: one runner may run two classes of one event. PLACE has no
-- type, so that each place keeps the kind its literal gives: a place is an
-- integer and sorts as a number, "OP" and "" stay text.
CREATE TABLE RESULT (
  EVENT_ID TEXT,
  PERSON_ID TEXT,
  CLASS TEXT,
  PLACE,
  RESULT TEXT,
  POINT REAL
);

CREATE INDEX RESULT_EVENT_ID ON RESULT (EVENT_ID);
CREATE INDEX RESULT_PERSON_ID ON RESULT (PERSON_ID);

-- For the operator's queries: each result with its event and person (left
-- joins, so that no result is hidden), the date as ISO text, the place as a
-- number where it is one, and the time in seconds where the result is one.
CREATE VIEW RESULT_VIEW AS
SELECT
  R.EVENT_ID AS EVENT_ID,
  E.NAME AS EVENT_NAME,
  CASE WHEN E.EVENT_DATE GLOB '[0-9][0-9][0-9][0-9]/[0-9][0-9]/[0-9][0-9]*'
       THEN replace(substr(E.EVENT_DATE, 1, 10), '/', '-') END AS EVENT_DATE,
  R.CLASS AS CLASS,
  CASE WHEN typeof(R.PLACE) = 'integer' THEN R.PLACE
       WHEN typeof(R.PLACE) = 'text' AND R.PLACE <> '' AND R.PLACE NOT GLOB '*[^0-9]*' AND length(R.PLACE) < 10
       THEN CAST(R.PLACE AS INTEGER) END AS PLACE,
  R.PERSON_ID AS PERSON_ID,
  P.NAME AS NAME,
  P.CLUB AS CLUB,
  P.SEX AS SEX,
  R.RESULT AS RESULT,
  CASE WHEN R.RESULT GLOB '[0-9]*:[0-5][0-9]:[0-5][0-9]'
            AND substr(R.RESULT, 1, length(R.RESULT) - 6) NOT GLOB '*[^0-9]*'
       THEN substr(R.RESULT, 1, length(R.RESULT) - 6) * 3600 + substr(R.RESULT, -5, 2) * 60
            + substr(R.RESULT, -2) END AS SECONDS,
  R.POINT AS POINT
FROM RESULT AS R
LEFT JOIN EVENT AS E ON E.ID = R.EVENT_ID
LEFT JOIN PERSON AS P ON P.ID = R.PERSON_ID;
