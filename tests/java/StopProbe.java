// Test program for service mode on a real runtime: main waits until stop() lets it go, with a
// worker thread of its own beside it; stop() reports the thread it was called on. With the
// system property stop=throw_first the first call of stop() throws.
import java.util.Set;
import java.util.concurrent.ConcurrentHashMap;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.atomic.AtomicInteger;

public class StopProbe {
  private static final CountDownLatch released = new CountDownLatch(1);
  private static final Set<Thread> created = ConcurrentHashMap.newKeySet();
  private static final AtomicInteger calls = new AtomicInteger();

  public static void main(String[] args) throws Exception {
    created.add(Thread.currentThread());
    Thread worker = new Thread(() -> {
      try {
        released.await();
      } catch (InterruptedException e) {
        // ends either way
      }
    }, "worker");
    created.add(worker);
    worker.start();
    System.out.println("ready");
    System.out.flush();
    released.await();
    worker.join();
    System.out.println("main returned");
    System.out.flush();
  }

  public static void stop() {
    int call = calls.incrementAndGet();
    Thread thread = Thread.currentThread();
    System.out.println("stop " + call + " created_by_program=" + created.contains(thread)
        + " daemon=" + thread.isDaemon());
    System.out.flush();
    if (call == 1 && "throw_first".equals(System.getProperty("stop"))) {
      throw new IllegalStateException("thrown by stop");
    }
    released.countDown();
  }
}
